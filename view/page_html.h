#pragma once

#include <string>
#include <string_view>

#include "view/page_data.h"

namespace tracciato::view {

// The JSON text of `data` as it may stand inside a <script type="application/json">
// element: a browser ends that element at the first "</script" whatever the JSON
// means, and "<!--" changes how it reads the rest. JSON has no "<" outside its
// strings, and inside a string "\u003c" is the same character, so every "<" is
// written that way. The texts in `data` are UTF-8 already; a byte that is not is
// kept as the replacement character.
std::string script_json(const Json& data);

// The page: `page_template` with its markers {{style}}, {{script}} and {{data}} each
// replaced once, by the style sheet, the script and the data. Throws std::logic_error
// when the template does not hold each marker exactly once, or when the style or the
// script would end its own element early.
std::string fill_page(std::string_view page_template, std::string_view style,
                      std::string_view script, const Json& data);

// The page of the files inlined at build time from view/web.
std::string page_html(const Json& data);

}  // namespace tracciato::view
