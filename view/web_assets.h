#pragma once

#include <string_view>

// The files of view/web, inlined at build time by view/embed_web.cmake.
namespace tracciato::view::web {

extern const std::string_view page;    // page.html, the template
extern const std::string_view style;   // page.css
extern const std::string_view script;  // the scripts, joined in the order the build lists

}  // namespace tracciato::view::web
