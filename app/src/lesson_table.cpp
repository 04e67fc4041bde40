// The lessons that the menus open: set prefixes, titles, first boxes and the rule introductions.
#include "lesson_table.h"

namespace loquat {

namespace {

// A rule with an introduction ("/" breaks a line) and examples.
Lesson rule(QlString prefix, QlString title, QlString introduction) {
  return {prefix, title, QL_STR("examples"), introduction};
}

// A practice set, a proverb set or a listening test: it opens with the logo.
Lesson practice(QlString prefix, QlString title) { return {prefix, title, QL_STR("start"), nullptr}; }

}  // namespace

bool find_lesson(int32_t selection, Lesson& lesson) {
  switch (selection) {
    case 1:
      lesson = rule(QL_STR("a01"), QL_STR("Articles 1 - THE BASIC RULE -"),
                    QL_STR("////For ONE COUNTABLE THING"
                           "//1  Use 'A' for ONE OF MANY things - ie 'He saw a tree.'"
                           "//2  Use 'THE' if there is ONLY ONE - ie 'He saw the sky.'//"));
      return true;
    case 2:
      lesson = rule(QL_STR("a02"), QL_STR("Articles 2 - PLURAL NOUNS -"),
                    QL_STR("////For MORE THAN ONE COUNTABLE THING"
                           "//1  Use no articles when speaking of THINGS IN GENERAL"
                           "/ - ie 'I like oranges.'"
                           "//2  Use 'THE' for a KNOWN GROUP - ie 'Pass me the oranges.'"));
      return true;
    case 3:
      lesson = rule(QL_STR("a03"), QL_STR("Articles 3 - SPECIAL USES OF 'THE' -"),
                    QL_STR("///We use 'THE' in these special cases ://1  Shops and other places we often use "
                           " - ie 'I went to the butcher's, the library and the doctor's.'//"
                           "2  Playing musical instruments - ie 'I can play the piano.'//"
                           "3  Cinemas and theatres - ie  'We went to the theatre.'//"));
      return true;
    case 4:
      lesson = rule(
          QL_STR("a04"), QL_STR("Articles 4 - NO ARTICLES -"),
          QL_STR("//Articles are NOT used://1 When speaking of THINGS IN GENERAL - ie 'I like oranges.'//"
                 "Also: //2 Often with the following nouns: 'home', 'work', 'stairs', 'bed', 'breakfast' "
                 "(and other meals), the school or university a person goes to.//"
                 "3 Remember that we listen to 'the radio' but we 'watch tv.'"));
      return true;
    case 5:
      lesson =
          rule(QL_STR("a05"), QL_STR("Articles 5 - 'SOME' AND 'ANY' -"),
               QL_STR("//For both uncountable and countable nouns://1  Use 'SOME' with POSITIVE statements "
                      "/- ie 'Here is some water'  'Here are some glasses'.//2 Use 'ANY' with QUESTIONS and "
                      "NEGATIVE statements. /- ie 'Is there any milk ?'  'I didn't see any cats '"
                      "//3  But use 'SOME' when offering things - ie 'Would you like some cake ?'"));
      return true;
    case 6:
      lesson = practice(QL_STR("a06"), QL_STR("Articles 6 - PRACTICE -"));
      return true;
    case 7:
      lesson = practice(QL_STR("a07"), QL_STR("Articles 7 - PRACTICE -"));
      return true;
    case 8:
      lesson = practice(QL_STR("a08"), QL_STR("Articles 8 - PRACTICE -"));
      return true;
    case 9:
      lesson = practice(QL_STR("a09"), QL_STR("Articles 9 - PRACTICE -"));
      return true;
    case 10:
      lesson = rule(QL_STR("a10"), QL_STR("Articles 10 - NAMES -"),
                    QL_STR("//1  Usually there are no articles with names - ie ' Jandel lives in Tokyo.'   "
                           "BUT ...//2 Use THE with PLURAL names - 'The Brannocks live in the United "
                           "States.'//3 Use THE with names of rivers, canals, seas and oceans. //"
                           "4 Use THE with names of hotels, restaurants, pubs, cinemas, galleries etc.//5 "
                           "Use THE with names that have an 'OF' in them;  'the Tower of London.'"));
      return true;
    case 11:
      lesson =
          rule(QL_STR("a11"), QL_STR("Articles 11 - TYPES -"),
               QL_STR("//1 Often we speak of animals or plants in general as plurals - ie 'Cats are soft.'  "
                      "//2  But we sometimes talk about a species in the singular/- i.e 'The cat is used a "
                      "lot in Egyption art.'//"
                      "3  Human inventions can also be spoken of in the plural or singular - ie  'Computers "
                      "are interesting' or 'The computer has changed our lives in many ways.' "));
      return true;
    case 12:
      lesson = rule(QL_STR("a12"), QL_STR("Articles 12 - ILLNESSES -"),
                    QL_STR("////1 Think of the following as COUNTABLE: 'a head-ache', 'a cough', 'a "
                           "cold.'//2 Think of the following as UNCOUNTABLE: 'back-ache', 'tooth-ache', "
                           "'stomach-ache', 'ear-ache', ''flu' ('influenza'), 'cancer.'"));
      return true;
    case 13:
      lesson = practice(QL_STR("a13"), QL_STR("Articles 13 - PRACTICE -"));
      return true;
    case 14:
      lesson = practice(QL_STR("a14"), QL_STR("Articles 14 - PRACTICE -"));
      return true;
    case 15:
      lesson = practice(QL_STR("a15"), QL_STR("Articles 15 - PRACTICE -"));
      return true;
    case 16:
      lesson = practice(QL_STR("a"), QL_STR("Articles 16 - ALL TOGETHER -"));
      return true;
    case 21:
      lesson = practice(QL_STR("p01"), QL_STR("PROVERBS 1 -"));
      return true;
    case 22:
      lesson = practice(QL_STR("p02"), QL_STR("PROVERBS 2 -"));
      return true;
    case 23:
      lesson = practice(QL_STR("p03"), QL_STR("PROVERBS 3 -"));
      return true;
    case 24:
      lesson = practice(QL_STR("p04"), QL_STR("PROVERBS 4 -"));
      return true;
    case 25:
      lesson = practice(QL_STR("p05"), QL_STR("PROVERBS 5 -"));
      return true;
    case 26:
      lesson = practice(QL_STR("p06"), QL_STR("PROVERBS 6 -"));
      return true;
    case 27:
      lesson = practice(QL_STR("p07"), QL_STR("PROVERBS 7 -"));
      return true;
    case 28:
      lesson = practice(QL_STR("p08"), QL_STR("PROVERBS 8 -"));
      return true;
    case 29:
      lesson = practice(QL_STR("p09"), QL_STR("PROVERBS 9 -"));
      return true;
    case 30:
      lesson = practice(QL_STR("p10"), QL_STR("PROVERBS 10 -"));
      return true;
    case 301:
      lesson = practice(QL_STR("p11"), QL_STR("PROVERBS 11 -"));
      return true;
    case 302:
      lesson = practice(QL_STR("p12"), QL_STR("PROVERBS 12 -"));
      return true;
    case 303:
      lesson = practice(QL_STR("p13"), QL_STR("PROVERBS 13 -"));
      return true;
    case 81:
      lesson = practice(QL_STR("L01"), QL_STR("Group 1 - 'L' or 'R' Test -"));
      return true;
    case 82:
      lesson = practice(QL_STR("L02"), QL_STR("Group 2 - 'L' or 'R' Test -"));
      return true;
    case 83:
      lesson = practice(QL_STR("L03"), QL_STR("Group 3 - 'L' or 'R' Test -"));
      return true;
    case 84:
      lesson = practice(QL_STR("L0"), QL_STR("TEST 'L' or 'R' All Items  -"));
      return true;
    default:
      return false;
  }
}

}  // namespace loquat
