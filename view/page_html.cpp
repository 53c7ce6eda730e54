#include "view/page_html.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

#include "view/web_assets.h"

namespace tracciato::view {

namespace {

bool holds_closing(std::string_view text, std::string_view element) {
  const std::string closing = "</" + std::string(element);
  const auto it = std::search(text.begin(), text.end(), closing.begin(), closing.end(),
                              [](char a, char b) {
                                return std::tolower(static_cast<unsigned char>(a)) == b;
                              });
  return it != text.end();
}

}  // namespace

std::string script_json(const Json& data) {
  const std::string text = data.dump(-1, ' ', false, Json::error_handler_t::replace);
  std::string out;
  out.reserve(text.size() + text.size() / 64);
  for (char c : text) {
    if (c == '<')
      out += "\\u003c";
    else
      out += c;
  }
  return out;
}

std::string fill_page(std::string_view page_template, std::string_view style,
                      std::string_view script, const Json& data) {
  if (holds_closing(style, "style")) throw std::logic_error("the style sheet holds </style");
  if (holds_closing(script, "script")) throw std::logic_error("the script holds </script");
  const std::string json = script_json(data);
  const struct {
    std::string_view marker, text;
  } parts[] = {{"{{style}}", style}, {"{{script}}", script}, {"{{data}}", json}};

  std::string out;
  out.reserve(page_template.size() + style.size() + script.size() + json.size());
  int filled[3] = {0, 0, 0};
  std::size_t i = 0;
  while (i < page_template.size()) {
    const std::size_t open = page_template.find("{{", i);
    if (open == std::string_view::npos) break;
    out.append(page_template.substr(i, open - i));
    std::size_t k = 0;
    while (k < 3 && page_template.substr(open, parts[k].marker.size()) != parts[k].marker) ++k;
    if (k == 3) throw std::logic_error("the page template holds an unknown marker");
    out.append(parts[k].text);
    ++filled[k];
    i = open + parts[k].marker.size();
  }
  if (i < page_template.size()) out.append(page_template.substr(i));
  for (int n : filled)
    if (n != 1) throw std::logic_error("the page template must hold each marker once");
  return out;
}

std::string page_html(const Json& data) {
  return fill_page(web::page, web::style, web::script, data);
}

}  // namespace tracciato::view
