#include "export/contact_formats.h"

#include <initializer_list>

#include "export/text_encoding.h"

namespace tessel::exporting {
namespace {

constexpr size_t kFoldAt = 75;  // bytes per vCard line before folding

std::string Field(const CellRow& cells, int cell, const CodePage& page) {
  return FromCodePage(TrimmedField(cells[cell]), page);
}

// A text value with vCard's escapes; line breaks become \n.
std::string Escaped(std::string_view value) {
  std::string out;
  for (size_t i = 0; i < value.size(); ++i) {
    const char c = value[i];
    if (c == '\\' || c == ',' || c == ';') {
      out += '\\';
      out += c;
    } else if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < value.size() && value[i + 1] == '\n') ++i;
      out += "\\n";
    } else {
      out += static_cast<unsigned char>(c) < 0x20 || c == 0x7F ? ' ' : c;
    }
  }
  return out;
}

// Appends a content line, folded so that no line exceeds kFoldAt bytes and no
// UTF-8 sequence is split.
void AppendLine(std::string& out, const std::string& line) {
  size_t lineBytes = 0;
  for (size_t i = 0; i < line.size(); ++i) {
    const bool startsCharacter = (static_cast<unsigned char>(line[i]) & 0xC0) != 0x80;
    if (startsCharacter && lineBytes >= kFoldAt - 4) {
      out += "\r\n ";
      lineBytes = 1;
    }
    out += line[i];
    ++lineBytes;
  }
  out += "\r\n";
}

// A structured value (N, ADR): components escaped and joined by ";".
std::string Components(const CellRow& cells, const CodePage& page, std::initializer_list<int> parts) {
  std::string value;
  bool any = false;
  bool first = true;
  for (const int cell : parts) {
    if (!first) value += ';';
    first = false;
    if (cell < 0) continue;
    const std::string text = Field(cells, cell, page);
    any = any || !text.empty();
    value += Escaped(text);
  }
  return any ? value : std::string();
}

void AppendProperty(std::string& out, const char* name, const std::string& escapedValue) {
  if (!escapedValue.empty()) AppendLine(out, std::string(name) + ":" + escapedValue);
}

// The formatted name vCard 3.0 requires: the display name, else the name parts,
// else the address.
std::string FormattedName(const CellRow& cells, const CodePage& page) {
  std::string name = Field(cells, kDisplayName, page);
  if (!name.empty()) return name;
  for (const int cell : {kFirstName, kMiddleName, kLastName}) {
    const std::string part = Field(cells, cell, page);
    if (part.empty()) continue;
    if (!name.empty()) name += ' ';
    name += part;
  }
  if (name.empty()) name = Field(cells, kEmail, page);
  return name;
}

}  // namespace

void AppendVCard(std::string& out, const CellRow& cells, const CodePage& page) {
  const auto text = [&](int cell) { return Escaped(Field(cells, cell, page)); };
  out += "BEGIN:VCARD\r\nVERSION:3.0\r\n";
  // N is required; its components: family, given, additional, prefix, suffix.
  AppendLine(out,
             "N:" + text(kLastName) + ";" + text(kFirstName) + ";" + text(kMiddleName) + ";" + text(kNameTitle) + ";");
  AppendLine(out, "FN:" + Escaped(FormattedName(cells, page)));
  AppendProperty(out, "EMAIL;TYPE=INTERNET", text(kEmail));
  AppendProperty(out, "TEL;TYPE=HOME,VOICE", text(kHomePhone));
  AppendProperty(out, "TEL;TYPE=CELL", text(kMobile));
  AppendProperty(out, "TEL;TYPE=HOME,FAX", text(kHomeFax));
  // ADR: post office box, extended address, street, city, region, postal code, country.
  AppendProperty(out, "ADR;TYPE=HOME",
                 Components(cells, page, {-1, -1, kHomeAddress, kHomeCity, kHomeState, kHomeZip, kHomeCountry}));
  AppendProperty(out, "URL", text(kWebPage));
  AppendProperty(out, "ORG", text(kCompany));
  AppendProperty(out, "TITLE", text(kJobTitle));
  AppendProperty(out, "TEL;TYPE=WORK,VOICE", text(kWorkPhone));
  AppendProperty(out, "TEL;TYPE=WORK,FAX", text(kWorkFax));
  AppendProperty(out, "ADR;TYPE=WORK",
                 Components(cells, page, {-1, -1, kWorkAddress, kWorkCity, kWorkState, -1, kWorkCountry}));
  out += "END:VCARD\r\n";
}

}  // namespace tessel::exporting
