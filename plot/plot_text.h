#pragma once

#include <string>
#include <string_view>

namespace tracciato::plot {

// The scenario files hold Windows-1252 bytes; the pictures want UTF-8. The five
// bytes that code page leaves undefined become U+FFFD.
std::string utf8_from_1252(std::string_view bytes);

// A signboard text is written as rows in parentheses, padded with spaces:
// "(GALLERIA   )(ORSERA   )" reads "GALLERIA ORSERA". Text outside parentheses is kept.
std::string signboard_caption(std::string_view text);

}  // namespace tracciato::plot
