// The progress file, %APPDATA%\Loquat\progress.txt: plain text, a first line naming the format, then one line
// per setting, the rows to review of each kind, and one line per finished lesson, each a key and its values
// separated by TABs. It is written whole to progress.tmp, checked, and renamed over the old file; a file that
// cannot be read or is damaged is moved aside and told once.
#include "progress.h"

using namespace loquat;

namespace {

QlString header() { return QL_STR("Loquat progress 1"); }
Str tab() { return chr(9); }
Str line_end() {
  Str cr = chr(13), lf = chr(10);
  return cat(cr.get(), lf.get());
}

// The folder Loquat keeps its file in, made when asked for and missing; nil without an application-data
// folder.
Obj loquat_folder(bool make) {
  Obj data(getApplicationDataFolder());
  if (!data) return Obj();
  Obj folder(FolderChild(data.get(), QL_STR("Loquat")));
  if (folder && make && !fileExistsGetter(folder.get())) FolderItemCreateAsFolder(folder.get());
  return folder;
}

// The value of up to nine decimal digits; -1 for anything else.
int32_t number_in(QlString text) {
  int32_t length = StringLen(text);
  if (length == 0 || length > 9) return -1;
  int32_t value = 0;
  for (int32_t i = 1; i <= length; ++i) {
    Str digit(StringMid3(text, i, 1));
    int32_t c = StringAsc(digit.get());
    if (c < '0' || c > '9') return -1;
    value = value * 10 + (c - '0');
  }
  return value;
}

bool is_number(QlString text) { return number_in(text) >= 0; }

bool are_rows(QlString rows) {
  if (is_empty(rows)) return true;
  int32_t n = count_fields(rows, QL_STR(" "));
  for (int32_t i = 1; i <= n; ++i) {
    Str row = nth_field(rows, QL_STR(" "), i);
    if (!is_number(row.get())) return false;
  }
  return true;
}

bool is_on_or_off(QlString text) { return same(text, QL_STR("on")) || same(text, QL_STR("off")); }

// What a file holds, taken in only when every line of it could be read.
struct Kept {
  Str font, voice, clicking, mark, articles, proverbs, history;
};

// One line into what is kept; false for a line that no version of this file holds.
bool take_line(QlString line, Kept& kept) {
  if (is_empty(line)) return true;
  Str separator = tab();
  int32_t fields = count_fields(line, separator.get());
  Str key = nth_field(line, separator.get(), 1);
  Str value = nth_field(line, separator.get(), 2);
  if (same(key.get(), QL_STR("font"))) {
    if (fields != 2 || is_empty(value.get())) return false;
    kept.font = static_cast<Str&&>(value);
  } else if (same(key.get(), QL_STR("voice"))) {
    if (fields != 2 || !(same(value.get(), QL_STR("rowan")) || same(value.get(), QL_STR("maren")) ||
                         same(value.get(), QL_STR("both"))))
      return false;
    kept.voice = static_cast<Str&&>(value);
  } else if (same(key.get(), QL_STR("clicking"))) {
    if (fields != 2 || !is_on_or_off(value.get())) return false;
    kept.clicking = static_cast<Str&&>(value);
  } else if (same(key.get(), QL_STR("mark wrong answers"))) {
    if (fields != 2 || !is_on_or_off(value.get())) return false;
    kept.mark = static_cast<Str&&>(value);
  } else if (same(key.get(), QL_STR("mistakes"))) {
    Str rows = nth_field(line, separator.get(), 3);
    if (fields != 3 || !are_rows(rows.get())) return false;
    if (same(value.get(), QL_STR("articles"))) {
      kept.articles = static_cast<Str&&>(rows);
    } else if (same(value.get(), QL_STR("proverbs"))) {
      kept.proverbs = static_cast<Str&&>(rows);
    } else {
      return false;
    }
  } else if (same(key.get(), QL_STR("lesson"))) {
    // lesson, date, title, items, correct, the rows that had a fault
    Str title = nth_field(line, separator.get(), 3);
    Str items = nth_field(line, separator.get(), 4);
    Str correct = nth_field(line, separator.get(), 5);
    Str rows = nth_field(line, separator.get(), 6);
    if (fields != 6 || is_empty(value.get()) || is_empty(title.get()) || !is_number(items.get()) ||
        !is_number(correct.get()) || number_in(correct.get()) > number_in(items.get()) ||
        !are_rows(rows.get()))
      return false;
    Str end = line_end();
    Str with_end = cat(line, end.get());
    kept.history = cat(kept.history.get(), with_end.get());
  } else {
    return false;
  }
  return true;
}

// Reads the whole file; false when it cannot be opened or a line is not as this format writes it.
bool read_file(QlObject* file, Kept& kept) {
  Obj stream(FolderItemOpenTextFile(file));
  if (!stream) return false;
  Str first(TextInputStreamReadLine(stream.get()));
  Str first_trimmed = trim(first.get());
  bool whole = StringStrCompare(first_trimmed.get(), header(), 0) == 0;
  while (whole && !TextInputStreamEOF(stream.get())) {
    RuntimeBackgroundTask();
    Str line(TextInputStreamReadLine(stream.get()));
    whole = take_line(line.get(), kept);
  }
  TextInputStreamClose(stream.get());
  return whole;
}

// A free name beside the file for a damaged copy: progress-damaged.txt, then -2 to -99.
Str aside_name(QlObject* folder) {
  for (int32_t n = 1; n <= 99; ++n) {
    Str name = Str::borrow(QL_STR("progress-damaged.txt"));
    if (n > 1) {
      Str number = number_text(n);
      name = cat(QL_STR("progress-damaged-"), number.get(), QL_STR(".txt"));
    }
    Obj candidate(FolderChild(folder, name.get()));
    if (candidate && !fileExistsGetter(candidate.get())) return name;
  }
  return Str();
}

void set_aside(QlObject* folder, QlObject* file) {
  Str path(fileAbsolutePathGetter(file));
  Str name = aside_name(folder);
  bool moved = !is_empty(name.get()) && FolderItemRenameOver(file, name.get());
  Str first =
      cat(QL_STR("Loquat could not read the progress and settings kept in"), line_end().get(), path.get());
  Str text;
  if (moved) {
    Str kept = cat(QL_STR(". The file was set aside as "), name.get(), QL_STR(", and Loquat starts afresh."));
    text = cat(first.get(), kept.get());
  } else {
    text = cat(first.get(), QL_STR(". Loquat starts afresh and writes the file anew."));
  }
  RuntimeMsgBox(text.get());
}

// An installed face of that name.
bool installed(QlString face) {
  int32_t fonts = getFontCount();
  for (int32_t i = 0; i < fonts; ++i) {
    Str name(getFontName(i));
    if (StringStrCompare(name.get(), face, 0) == 0) return true;
  }
  return false;
}

void apply(QlObject* window, Kept& kept) {
  Cloze& cloze = state(window);
  if (kept.font.get() && installed(kept.font.get()) && fit_font(window, kept.font.get()))
    store(cloze.chosen_font, kept.font.get());
  if (kept.voice.get()) store(cloze.voice, kept.voice.get());
  if (same(kept.clicking.get(), QL_STR("off"))) {
    Obj item(RuntimeMenuReference(QL_STR("FileSound")));
    if (item) menuItemTextSetter(item.get(), 0, QL_STR("Clicking On"));
  }
  cloze.mark_wrong = same(kept.mark.get(), QL_STR("on"));
  store(cloze.articles_mistakes, kept.articles.get());
  store(cloze.proverbs_mistakes, kept.proverbs.get());
  store(cloze.history, kept.history.get());
}

Str setting(QlString key, QlString value) {
  Str separator = tab();
  Str end = line_end();
  Str start = cat(key, separator.get(), value);
  return cat(start.get(), end.get());
}

Str file_text(QlObject* window) {
  Cloze& cloze = state(window);
  Str end = line_end();
  Str text = cat(header(), end.get());
  if (!is_empty(cloze.chosen_font)) {
    Str line = setting(QL_STR("font"), cloze.chosen_font);
    text = cat(text.get(), line.get());
  }
  if (!is_empty(cloze.voice)) {
    Str line = setting(QL_STR("voice"), cloze.voice);
    text = cat(text.get(), line.get());
  }
  Str clicking = setting(QL_STR("clicking"), clicking_off() ? QL_STR("off") : QL_STR("on"));
  Str mark = setting(QL_STR("mark wrong answers"), cloze.mark_wrong ? QL_STR("on") : QL_STR("off"));
  Str separator = tab();
  Str articles_key = cat(QL_STR("mistakes"), separator.get(), QL_STR("articles"));
  Str articles = setting(articles_key.get(), cloze.articles_mistakes);
  Str proverbs_key = cat(QL_STR("mistakes"), separator.get(), QL_STR("proverbs"));
  Str proverbs = setting(proverbs_key.get(), cloze.proverbs_mistakes);
  text = cat(text.get(), clicking.get(), mark.get());
  text = cat(text.get(), articles.get(), proverbs.get());
  return cat(text.get(), cloze.history);
}

void tell_save_failure(QlObject* window, QlObject* folder) {
  Cloze& cloze = state(window);
  if (cloze.save_failure_told) return;
  cloze.save_failure_told = 1;
  Str path;
  if (folder) path = Str(fileAbsolutePathGetter(folder));
  Str text =
      cat(QL_STR("Loquat could not save your progress and settings in "), path.get(),
          QL_STR(". The file there is kept as it was; check that the folder can be written and the disk "
                 "has room."));
  RuntimeMsgBox(text.get());
}

}  // namespace

namespace loquat {

void load_progress(QlObject* window) {
  Obj folder = loquat_folder(false);
  if (!folder || !fileExistsGetter(folder.get())) return;
  Obj file(FolderChild(folder.get(), QL_STR("progress.txt")));
  if (!file || !fileExistsGetter(file.get())) return;
  Kept kept;
  if (read_file(file.get(), kept)) {
    apply(window, kept);
  } else {
    set_aside(folder.get(), file.get());
  }
}

void save_progress(QlObject* window) {
  Obj folder = loquat_folder(true);
  Obj temp;
  if (folder) temp = Obj(FolderChild(folder.get(), QL_STR("progress.tmp")));
  Obj stream;
  if (temp) stream = Obj(FolderItemCreateTextFile(temp.get()));
  if (!stream) {
    tell_save_failure(window, folder.get());
    return;
  }
  Str text = file_text(window);
  TextOutputStreamWrite(stream.get(), text.get());
  TextOutputStreamClose(stream.get());
  // A short file (a full disk) is never renamed over the whole one.
  bool whole = fileSizeGetter(temp.get()) == StringLen(text.get());
  if (!whole || !FolderItemRenameOver(temp.get(), QL_STR("progress.txt"))) {
    FolderItemDelete(temp.get());
    tell_save_failure(window, folder.get());
  }
}

}  // namespace loquat
