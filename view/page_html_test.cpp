#include "view/page_html.h"

#include <gtest/gtest.h>

#include <regex>
#include <stdexcept>

#include "view/test_scenario.h"

namespace tracciato::view {
namespace {

// The text between the data element's tags.
std::string data_text(const std::string& page) {
  const std::string open = "<script type=\"application/json\" id=\"scenario\">";
  const std::size_t from = page.find(open);
  if (from == std::string::npos) return "";
  const std::size_t to = page.find("</script>", from);
  return page.substr(from + open.size(), to - from - open.size());
}

TEST(PageHtml, TextsThatWouldEndTheDataElementStayInsideIt) {
  Json data;
  data["name"] = "</script><script>alert(1)</script><!-- \u00e8";
  data["list"] = {"</SCRIPT>", "a<b"};
  const std::string json = script_json(data);
  EXPECT_EQ(json.find('<'), std::string::npos) << json;
  EXPECT_EQ(Json::parse(json), data);

  const std::string page = fill_page("<p>{{style}}</p>{{script}}<script type=\"application/json\" "
                                     "id=\"scenario\">{{data}}</script>",
                                     "", "", data);
  EXPECT_EQ(Json::parse(data_text(page)), data);
}

TEST(PageHtml, EachMarkerIsFilledOnce) {
  const Json data = {{"a", 1}};
  EXPECT_EQ(fill_page("<style>{{style}}</style><script>{{script}}</script>{{data}}", "p{}",
                      "let x = {{a: 1}};", data),
            "<style>p{}</style><script>let x = {{a: 1}};</script>{\"a\":1}");
  const struct {
    const char* page;
    const char* style;
    const char* script;
  } wrong[] = {
      {"{{style}}{{script}}", "", ""},                   // no data
      {"{{style}}{{script}}{{data}}{{data}}", "", ""},   // twice
      {"{{style}}{{script}}{{data}}{{title}}", "", ""},  // unknown
      {"{{style}}{{script}}{{data}}", "</Style>", ""},
      {"{{style}}{{script}}{{data}}", "", "s = '</script>'"},
  };
  for (const auto& w : wrong)
    EXPECT_THROW(fill_page(w.page, w.style, w.script, data), std::logic_error) << w.page;
}

// Everything the page needs is in it: no address outside it, no element that loads.
TEST(PageHtml, ThePageOfTheEmbeddedScenarioIsWholeInItself) {
  const auto& f = testing::embedded_files();
  const auto voci = decode_entries(f.entries);
  const auto celle = decode_cells(f.cells);
  const auto plan = decode_plan(f.plan);
  const Json data = page_data(voci, celle, &plan, nullptr);
  const std::string page = page_html(data);
  EXPECT_EQ(page.find("{{"), std::string::npos);
  EXPECT_EQ(Json::parse(data_text(page)), data);
  EXPECT_FALSE(std::regex_search(page, std::regex(R"((src|href)\s*=\s*"(?!data:))"))) << "a link";
  EXPECT_FALSE(std::regex_search(page, std::regex(R"(https?:|//[a-z0-9-]+\.[a-z])",
                                                  std::regex::icase)));
  EXPECT_NE(page.find("default-src 'none'"), std::string::npos);
  // The shipped scenario's page stays small; it is written in well under this.
  EXPECT_LT(page.size(), 2000000u);
}

}  // namespace
}  // namespace tracciato::view
