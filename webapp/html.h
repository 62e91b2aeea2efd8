#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace webapp {

// Text made safe for element content and quoted attribute values; line breaks become blanks.
std::string escapeHtml(std::string_view text);

// A whole German page: title, optional data block text, the body HTML, a menu bar.
std::string renderPage(std::string_view title, std::string_view bodyHtml,
                       std::string_view blockText = {});

// A table; cells are escaped here.
std::string renderTable(const std::vector<std::string>& headers,
                        const std::vector<std::vector<std::string>>& rows);

// <a href="…">text</a> with both escaped.
std::string link(std::string_view href, std::string_view text);

// A hidden input; both escaped.
std::string hiddenInput(std::string_view name, std::string_view value);

}  // namespace webapp
