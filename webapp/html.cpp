#include "webapp/html.h"

namespace webapp {

std::string escapeHtml(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&#39;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

namespace {
constexpr std::string_view kStyle = R"css(
body{font-family:"DejaVu Sans",Arial,sans-serif;margin:0;background:#f4f6f8;color:#1d2733}
header{background:#1f4e79;color:#fff;padding:10px 18px}
header h1{margin:0;font-size:20px}
nav{background:#dde6ef;padding:6px 18px;font-size:13px}
nav a{margin-right:14px;color:#1f4e79;text-decoration:none;white-space:nowrap}
main{padding:14px 18px}
table{border-collapse:collapse;background:#fff;font-size:13px;margin:8px 0}
th,td{border:1px solid #c5d0db;padding:3px 7px;text-align:left;vertical-align:top}
th{background:#e8eef4}
.menu{display:grid;grid-template-columns:repeat(auto-fill,minmax(260px,1fr));gap:10px}
.menu a{display:block;background:#fff;border:1px solid #c5d0db;border-radius:4px;
padding:10px;color:#1f4e79;text-decoration:none}
.menu a span{display:block;color:#55606b;font-size:12px;margin-top:4px}
.error{background:#fde8e8;border:1px solid #d9534f;padding:10px;border-radius:4px}
.note{color:#55606b;font-size:12px}
form.panel{background:#fff;border:1px solid #c5d0db;padding:10px;display:inline-block}
form.panel label{display:inline-block;min-width:150px}
)css";

constexpr std::string_view kMenu =
    R"(<nav><a href="/">Startseite</a><a href="/zep/auftraege/14">Offene Aufträge</a>)"
    R"(<a href="/zep/periode/2">Periodenoptimierung</a>)"
    R"(<a href="/zep?routinglist26050&amp;a&amp;&amp;&amp;&amp;&amp;0&amp;0&amp;&amp;0&amp;0&amp;1">)"
    R"(Personaleinsatzplanung</a><a href="/zep/ergebnisse">Planungsergebnisse</a>)"
    R"(<a href="/zep/terminaenderungen">Terminänderungen</a>)"
    R"(<a href="/zep/geocodierungen">Geocodierungen</a></nav>)";
}  // namespace

std::string renderPage(std::string_view title, std::string_view bodyHtml,
                       std::string_view blockText) {
  std::string page = "<!DOCTYPE html>\n<html lang=\"de\"><head><meta charset=\"utf-8\">\n<title>";
  page += escapeHtml(title);
  page += "</title>\n<style>";
  page += kStyle;
  page += "</style></head>\n<body>\n<header><h1>";
  page += escapeHtml(title);
  page += "</h1></header>\n";
  page += kMenu;
  page += "\n<main>\n";
  page += bodyHtml;
  page += "\n</main>\n";
  // The block travels in the page text; its fields carry no character that HTML would
  // change, so the body's markup shows it unchanged.
  if (!blockText.empty()) {
    page += "<div id=\"zep-daten\" hidden>\n";
    page += blockText;
    page += "</div>\n";
  }
  page += "</body></html>\n";
  return page;
}

std::string renderTable(const std::vector<std::string>& headers,
                        const std::vector<std::vector<std::string>>& rows) {
  std::string html = "<table><tr>";
  for (const auto& header : headers) html += "<th>" + escapeHtml(header) + "</th>";
  html += "</tr>\n";
  for (const auto& row : rows) {
    html += "<tr>";
    for (const auto& cell : row) html += "<td>" + escapeHtml(cell) + "</td>";
    html += "</tr>\n";
  }
  return html + "</table>\n";
}

std::string link(std::string_view href, std::string_view text) {
  return "<a href=\"" + escapeHtml(href) + "\">" + escapeHtml(text) + "</a>";
}

std::string hiddenInput(std::string_view name, std::string_view value) {
  return "<input type=\"hidden\" name=\"" + escapeHtml(name) + "\" value=\"" + escapeHtml(value) +
         "\">";
}

}  // namespace webapp
