// The rules particular to article, proverb, listening-test and compare-board rows.
#pragma once

#include <string>
#include <vector>

#include "lessontable/row_report.h"
#include "rules/row_rules.h"

namespace lessontable {

constexpr const char* kArticleChoices = "a,an,*,the,some,any";

void check_kind_rules(const std::vector<std::string>& answers, const std::vector<std::string>& choices,
                      const loquat::rules::PatternFacts& sentence, RowReport& report);

}  // namespace lessontable
