#include "richtext/html_pass.h"

#include <algorithm>
#include <cctype>

#include "richtext/html_style_rules.h"
#include "richtext/html_table_source.h"
#include "richtext/html_word_wrap.h"

namespace tessel {
namespace {

// Positions saturate here, so that damaged texts with huge counts and sizes
// cannot overflow the arithmetic of a layout.
constexpr long long kMaxPosition = 1 << 28;

int Saturate(long long value) { return static_cast<int>(std::clamp(value, -kMaxPosition, kMaxPosition)); }

int CountSpaces(std::string_view text) { return static_cast<int>(std::count(text.begin(), text.end(), ' ')); }

}  // namespace

int TagCount(std::string_view attributeText, const LengthBasis& basis) {
  if (attributeText.empty()) return 1;
  int count = ParseLength(attributeText.substr(1), 1, basis);
  return count < 1 ? 1 : count;
}

std::string TransformText(std::string text, int transform) {
  auto lower = [](char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); };
  switch (transform) {
    case kTransformUpper:
      for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
      break;
    case kTransformLower:
      for (char& c : text) c = lower(c);
      break;
    case kTransformCapitalize:
      for (std::size_t i = 0; i < text.size(); ++i) {
        text[i] = lower(text[i]);
        if ((i == 0 || text[i - 1] == ' ') && text[i] >= 'a' && text[i] <= 'z')
          text[i] = static_cast<char>(text[i] - 'a' + 'A');
      }
      break;
    default:
      break;
  }
  return text;
}

HtmlPass::HtmlPass(HtmlDrawer& drawer, Surface& surface, Mode mode)
    : drawer_(drawer),
      surface_(surface),
      mode_(mode),
      savedTextColor_(surface.GetTextColor()),
      savedBackgroundColor_(surface.GetBackgroundColor()),
      savedBackgroundMode_(surface.GetBackgroundMode()) {}

HtmlPass::~HtmlPass() {
  surface_.SetTextJustification(0, 0);
  surface_.SetTextColor(savedTextColor_);
  surface_.SetBackgroundColor(savedBackgroundColor_);
  surface_.SetBackgroundMode(savedBackgroundMode_);
}

Size HtmlPass::Run(const Rect& area) {
  drawer_.linkAreas_.clear();
  if (!Drawing()) {
    drawer_.lines_.clear();
    drawer_.tables_.clear();
    drawer_.animations_.clear();
  }
  style_ = HtmlStyle();
  stack_.clear();
  SelectStyle();  // the default font, which the body rule's lengths are read against
  ApplyRule("body", style_);
  SelectStyle();
  return LayoutBlocks(drawer_.text_, area.left, area.top, area.Width());
}

Size HtmlPass::LayoutBlocks(std::string_view text, int left, int top, int areaWidth) {
  Size total;
  int y = top;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t tableStart = FindTableStart(text, pos);
    if (tableStart > pos) {
      Size block = LayoutTextBlock(text.substr(pos, tableStart - pos), left, y, areaWidth);
      total.cx = std::max(total.cx, block.cx);
      y = Saturate(static_cast<long long>(y) + block.cy);
    }
    if (tableStart >= text.size()) break;
    std::size_t tableEnd = FindTableEnd(text, tableStart);
    Size table = LayoutTable(text.substr(tableStart, tableEnd - tableStart), left, y, areaWidth);
    total.cx = std::max(total.cx, table.cx);
    y = Saturate(static_cast<long long>(y) + table.cy);
    pos = tableEnd;
  }
  total.cy = y - top;
  return total;
}

Size HtmlPass::LayoutTextBlock(std::string_view text, int left, int top, int areaWidth) {
  line_ = LineState();
  line_.left = left;
  line_.areaWidth = areaWidth;
  line_.top = top;
  StartLine();
  HtmlTokenizer reader(text);
  for (HtmlToken token = reader.Next(); token.kind != HtmlToken::kEnd; token = reader.Next()) {
    if (token.kind == HtmlToken::kText) {
      TextRun(std::move(token.text));
    } else {
      Tag(token);
    }
  }
  EndLine(false, 1);
  return {line_.widest, line_.top - top};
}

void HtmlPass::StartLine() {
  line_.offset = 0;
  line_.extraDone = 0;
  line_.spacesDone = 0;
  line_.justifyExtra = 0;
  line_.justifySpaces = 0;
  if (!Drawing()) {
    LineRecord record;
    record.align = style_.horizontalAlign;
    drawer_.lines_.push_back(record);
    line_.record = drawer_.lines_.size() - 1;
    line_.lineStart = line_.left;
    return;
  }
  if (lineCursor_ < drawer_.lines_.size()) {
    line_.drawRecord = drawer_.lines_[lineCursor_];
  } else {
    line_.drawRecord = LineRecord();  // more lines than records: keep drawing with the font's height
    line_.drawRecord.height = metrics_.height;
    line_.drawRecord.descent = metrics_.descent;
  }
  ++lineCursor_;
  const LineRecord& record = line_.drawRecord;
  int width = Saturate(record.width + static_cast<long long>(record.percent) * line_.areaWidth / 100);
  line_.lineStart = line_.left;
  if (record.align == kAlignCenter) line_.lineStart = line_.left + (line_.areaWidth - width) / 2;
  if (record.align == kAlignRight) line_.lineStart = line_.left + line_.areaWidth - width;
  if (record.align == kAlignJustify && record.softWrapped && record.spaces > 0 && width < line_.areaWidth) {
    line_.justifyExtra = line_.areaWidth - width;
    line_.justifySpaces = record.spaces;
  }
}

void HtmlPass::EndLine(bool byBreak, int count) {
  long long advance = 0;
  if (!Drawing()) {
    LineRecord& record = Record();
    record.height = record.ascent + record.descent;
    if (record.height == 0 && byBreak) {
      record.height = metrics_.height;  // an empty line keeps the font's height
      record.descent = metrics_.descent;
    }
    record.breakCount = byBreak ? count : 1;
    record.softWrapped = !byBreak && count == 0;
    line_.widest = std::max(line_.widest, record.width);
    advance = static_cast<long long>(record.height) * record.breakCount;
  } else {
    advance = static_cast<long long>(line_.drawRecord.height) * line_.drawRecord.breakCount;
  }
  line_.top = Saturate(line_.top + advance);
}

int HtmlPass::PieceTop(int height, int ascent) const {
  const LineRecord& record = line_.drawRecord;
  const int y = line_.top;
  switch (style_.verticalAlign) {
    case kAlignTop:
      return y;
    case kAlignVCenter:
      return y + (record.height - height) / 2;
    case kAlignBottom:
      return y + record.height - ascent;
    default:
      return y + record.height - ascent - record.descent;
  }
}

void HtmlPass::NoteAlign() {
  if (!Drawing()) Record().align = style_.horizontalAlign;
}

void HtmlPass::TextRun(std::string text) {
  const std::string run = TransformText(std::move(text), style_.textTransform);
  const int maxWidth = drawer_.maxWidth_;
  if (maxWidth <= 0) {
    PlaceText(run);
    return;
  }
  auto measure = [this](std::string_view piece) { return surface_.MeasureText(piece).cx; };
  std::string_view rest = run;
  while (!rest.empty()) {
    const std::size_t fit = FitLength(rest, maxWidth - line_.offset, measure);
    if (fit == rest.size()) {
      PlaceText(rest);
      return;
    }
    WrapSplit split = SplitForWrap(rest, fit, line_.offset == 0);
    if (split.taken) PlaceText(rest.substr(0, split.headLength));
    EndLine(false, 0);  // a soft break: count 0 marks the line as wrapped
    StartLine();
    if (split.taken) rest.remove_prefix(split.restStart);
  }
}

void HtmlPass::PlaceText(std::string_view piece) {
  if (piece.empty()) return;
  const Size size = surface_.MeasureText(piece);
  const int spaces = CountSpaces(piece);
  if (!Drawing()) {
    LineRecord& record = Record();
    record.ascent = std::max(record.ascent, metrics_.ascent);
    record.descent = std::max(record.descent, size.cy - metrics_.ascent);
    record.spaces += spaces;
    line_.offset = Saturate(static_cast<long long>(line_.offset) + size.cx);
    record.width = line_.offset;
    NoteAlign();
    return;
  }
  int extra = 0;
  if (line_.justifySpaces > 0 && spaces > 0) {
    const long long total = line_.justifyExtra;
    extra = static_cast<int>(total * (line_.spacesDone + spaces) / line_.justifySpaces -
                             total * line_.spacesDone / line_.justifySpaces);
    surface_.SetTextJustification(extra, spaces);
  }
  const int x = CurrentX();
  const int y = PieceTop(metrics_.height, metrics_.ascent);
  surface_.DrawTextRun(x, y, piece);
  if (extra != 0) surface_.SetTextJustification(0, 0);
  const int width = size.cx + extra;
  if (style_.overline) {
    drawer_.drawManager_.DrawStyledLine(surface_, x, y, x + width, y, surface_.GetTextColor(), kLineSolid,
                                        style_.weight >= 700 ? 2 : 1);
  }
  AddLinkArea({x, y, x + width, y + metrics_.height});
  line_.offset = Saturate(static_cast<long long>(line_.offset) + size.cx);
  line_.extraDone += extra;
  line_.spacesDone += spaces;
}

void HtmlPass::AddLinkArea(const Rect& rect) {
  if (!Drawing() || style_.linkKind == kLinkNone) return;
  drawer_.linkAreas_.push_back({rect, style_.linkKind, style_.linkIndex, style_.linkTarget});
}

void HtmlPass::Tag(const HtmlToken& token) {
  if (token.name.empty()) return;  // an empty tag does nothing
  const HtmlTagInfo* info = drawer_.tags_.Find(token.name);
  if (!info) return;
  if (!info->styleName.empty()) {
    StyleTag(*info, token);
    return;
  }
  // Object tags: a closing tag acts as the opening one.
  switch (info->code) {
    case kTagBreak:
      EndLine(true, TagCount(token.attributes, Basis()));
      StartLine();
      break;
    case kTagTab:
      Tab(TagCount(token.attributes, Basis()));
      break;
    case kTagRule:
      Rule(ParseAttributes(token.attributes));
      break;
    case kTagString:
      StringResource(ParseAttributes(token.attributes));
      break;
    case kTagBitmap:
    case kTagIcon:
    case kTagImageList:
      Image(info->code, ParseAttributes(token.attributes));
      break;
    default:
      break;
  }
}

void HtmlPass::Tab(int count) {
  const int tab = drawer_.tabWidth_;
  if (tab <= 0) return;
  long long next = (static_cast<long long>(line_.offset) / tab + 1) * tab + static_cast<long long>(count - 1) * tab;
  line_.offset = Saturate(next);
  if (!Drawing()) Record().width = line_.offset;
}

void HtmlPass::Rule(const HtmlAttributes& attributes) {
  HtmlStyle rule = style_;
  ApplyRule("hr", rule);
  const LengthBasis basis = Basis();
  int percent = 100;
  int width = 0;
  if (const std::string* value = FindAttribute(attributes, "width")) {
    if (!value->empty() && value->back() == '%') {
      percent = ParseLength(*value, 100, basis);
    } else {
      percent = 0;
      width = ParseLength(*value, 0, basis);
    }
  }
  int thickness = 1;
  if (const std::string* value = FindAttribute(attributes, "size")) thickness = ParseLength(*value, 1, basis);
  ColorRef color = rule.textColor;
  if (const std::string* value = FindAttribute(attributes, "color")) color = drawer_.colors_.Parse(*value, color);
  color = drawer_.colors_.Filter(color);

  if (!Drawing()) {
    LineRecord& record = Record();
    record.ascent = std::max(record.ascent, thickness + 8);
    record.percent += percent;
    line_.offset = Saturate(static_cast<long long>(line_.offset) + width);
    record.width = line_.offset;
    NoteAlign();
    return;
  }
  const int ruleWidth = Saturate(width + static_cast<long long>(percent) * line_.areaWidth / 100);
  const int x = CurrentX();
  const int y = line_.top + line_.drawRecord.height / 2;
  // Wide pens have round ends that reach half their width past the end points.
  const int inset = thickness / 2;
  drawer_.drawManager_.DrawStyledLine(surface_, x + inset, y, x + ruleWidth - inset, y, color, kLineSolid, thickness);
  line_.offset = Saturate(static_cast<long long>(line_.offset) + ruleWidth);
}

void HtmlPass::StringResource(const HtmlAttributes& attributes) {
  const std::string* id = FindAttribute(attributes, "idres");
  if (!id) id = FindAttribute(attributes, "iddll");
  if (!id) return;
  auto number = ReadCInteger(*id);
  if (!number || *number == 0) return;
  std::string text = drawer_.platform_.images->LoadStringResource(static_cast<int>(*number));
  PlaceText(TransformText(std::move(text), style_.textTransform));
}

}  // namespace tessel
