// Images of the rich text: bitmaps, icons and frames of image strips, from
// resources, files, libraries or handles, with their effects and shadow.
#include <algorithm>
#include <cstdlib>
#include <optional>

#include "richtext/html_pass.h"

namespace tessel {
namespace {

constexpr ColorRef kDefaultMaskColor = 0xFF00FF;

std::uint32_t NumberAttribute(const HtmlAttributes& attributes, const char* name) {
  const std::string* value = FindAttribute(attributes, name);
  if (!value) return 0;
  std::string_view text = *value;
  if (!text.empty() && (text[0] == '+' || text[0] == '-')) text.remove_prefix(1);
  return ReadCInteger(text).value_or(0);
}

std::string TextAttribute(const HtmlAttributes& attributes, const char* name) {
  const std::string* value = FindAttribute(attributes, name);
  return value ? *value : std::string();
}

// Sources in the order they are tried: resource id, file, library id, handle.
std::vector<ImageSource> SourcesOf(const HtmlAttributes& attributes, ModuleHandle resourceModule) {
  std::vector<ImageSource> sources;
  if (std::uint32_t id = NumberAttribute(attributes, "idres")) {
    ImageSource source;
    source.from = ImageSource::From::kResource;
    source.id = static_cast<int>(id & 0xFFFF);
    sources.push_back(source);
  }
  if (std::string file = TextAttribute(attributes, "file"); !file.empty()) {
    ImageSource source;
    source.from = ImageSource::From::kFile;
    source.path = file;
    sources.push_back(source);
  }
  if (std::uint32_t id = NumberAttribute(attributes, "iddll")) {
    ImageSource source;
    source.from = ImageSource::From::kLibrary;
    source.id = static_cast<int>(id & 0xFFFF);
    source.path = TextAttribute(attributes, "srcdll");
    source.module = resourceModule;
    sources.push_back(source);
  }
  if (std::uint32_t handle = NumberAttribute(attributes, "handle")) {
    ImageSource source;
    source.from = ImageSource::From::kHandle;
    source.handle = ImageHandleFromNumber(handle);
    sources.push_back(source);
  }
  return sources;
}

struct LetterEffects {
  int bits = 0;
  bool shadow = false;
};

LetterEffects ReadEffectLetters(std::string_view letters) {
  LetterEffects effects;
  for (char c : letters) {
    if (c == 'g') effects.bits |= kImageGrey;
    if (c == 'd') effects.bits |= kImageDarker;
    if (c == 'l') effects.bits |= kImageLighter;
    if (c == 's') effects.shadow = true;
  }
  return effects;
}

}  // namespace

void HtmlPass::Image(int code, const HtmlAttributes& attributes) {
  ImageLoader& loader = *drawer_.platform_.images;
  const LengthBasis basis = Basis();
  const std::vector<ImageSource> sources = SourcesOf(attributes, drawer_.resourceModule_);
  const std::string* widthText = FindAttribute(attributes, "width");
  const std::string* heightText = FindAttribute(attributes, "height");
  auto scaled = [&](const std::string* text, int natural) {
    return text ? ParseLength(*text, natural, basis) : natural;
  };

  std::optional<PixelImage> bitmap;
  std::optional<IconImage> icon;
  Size natural;
  Size frame;
  int frameCount = 0;
  if (code == kTagIcon) {
    natural = loader.SystemIconSize();
    const Size wanted{scaled(widthText, natural.cx), scaled(heightText, natural.cy)};
    for (const ImageSource& source : sources)
      if ((icon = loader.LoadIconImage(source, wanted))) break;
    if (!icon || icon->color.IsEmpty()) return;
  } else {
    for (const ImageSource& source : sources)
      if ((bitmap = loader.LoadBitmapImage(source))) break;
    if (!bitmap || bitmap->IsEmpty()) return;
    natural = bitmap->GetSize();
    if (code == kTagImageList) {
      int cx = static_cast<int>(std::min<std::uint32_t>(NumberAttribute(attributes, "cx"), kMaxHtmlLength));
      int cy = static_cast<int>(std::min<std::uint32_t>(NumberAttribute(attributes, "cy"), kMaxHtmlLength));
      if (cx == 0 && cy == 0) cx = cy = std::min(natural.cx, natural.cy);
      if (cx == 0) cx = cy;
      if (cy == 0) cy = cx;
      frame = {cx, cy};
      frameCount = (natural.cx / cx) * (natural.cy / cy);
      natural = frame;
    }
  }
  const int width = scaled(widthText, natural.cx);
  const int height = scaled(heightText, natural.cy);
  if (width <= 0 || height <= 0) return;

  const ImageShadowSettings& shadowSettings = drawer_.shadow_;
  const bool hot = style_.linkIndex >= 0 && style_.linkIndex == drawer_.hoverIndex_;
  const std::string* letters = FindAttribute(attributes, "style");
  if (hot) {
    if (const std::string* hotLetters = FindAttribute(attributes, "hotstyle")) letters = hotLetters;
  }
  const LetterEffects effects = ReadEffectLetters(letters ? *letters : std::string());
  const bool shadow = effects.shadow && (shadowSettings.offsetX != 0 || shadowSettings.offsetY != 0);
  int bits = effects.bits;
  if (shadow) bits |= shadowSettings.gradient ? kImageBlurredShadow : kImageShadow;
  const int grey = MulDiv(255, 100 - std::clamp(shadowSettings.darkness, 0, 100), 100);
  ColorRef color = MakeColor(grey, grey, grey);
  if (!drawer_.colors_.Enabled()) {
    bits = (bits & (kImageShadow | kImageBlurredShadow)) | kImageRecolor;
    color = drawer_.colors_.Replacement();
  }
  const bool useKey = FindAttribute(attributes, "mask") != nullptr;
  const ColorRef key = drawer_.colors_.Parse(TextAttribute(attributes, "mask"), kDefaultMaskColor);
  const int frameIndex =
      static_cast<int>(std::min<std::uint32_t>(NumberAttribute(attributes, "index"), kMaxHtmlLength));

  const int boxWidth = width + (shadow ? std::abs(shadowSettings.offsetX) : 0);
  const int boxHeight = height + (shadow ? std::abs(shadowSettings.offsetY) : 0);
  const int maxWidth = drawer_.maxWidth_;
  if (maxWidth > 0 && line_.offset > 0 && line_.offset + boxWidth > maxWidth) {
    EndLine(false, 0);
    StartLine();
  }

  if (!Drawing()) {
    if (code == kTagImageList && FindAttribute(attributes, "speed"))
      drawer_.animations_.push_back(
          {frameIndex, frameCount, 0, static_cast<int>(NumberAttribute(attributes, "speed"))});
    LineRecord& record = Record();
    record.ascent = std::max(record.ascent, boxHeight);
    line_.offset = std::min(line_.offset + boxWidth, 1 << 28);
    record.width = line_.offset;
    return;
  }

  int drawnFrame = frameIndex;
  if (code == kTagImageList && FindAttribute(attributes, "speed")) {
    if (animationCursor_ < drawer_.animations_.size()) drawnFrame = drawer_.animations_[animationCursor_].frame;
    ++animationCursor_;
  }
  const LineRecord& record = line_.drawRecord;
  const int x = CurrentX();
  int y = line_.top + record.height - record.descent - boxHeight;
  if (style_.verticalAlign == kAlignTop) y = line_.top;
  if (style_.verticalAlign == kAlignVCenter) y = line_.top + (record.height - boxHeight) / 2;
  if (style_.verticalAlign == kAlignBottom) y = line_.top + record.height - boxHeight;

  DrawManager& draw = drawer_.drawManager_;
  const int dx = shadowSettings.offsetX;
  const int dy = shadowSettings.offsetY;
  const int blurX = shadowSettings.depthX;
  const int blurY = shadowSettings.depthY;
  if (code == kTagIcon) {
    draw.DrawIcon(surface_, x, y, width, height, &*icon, bits, shadow, dx, dy, blurX, blurY, color);
  } else if (code == kTagImageList) {
    draw.DrawImageListCell(surface_, x, y, width, height, &*bitmap, drawnFrame, frame.cx, frame.cy, useKey, key, bits,
                           shadow, dx, dy, blurX, blurY, color);
  } else {
    draw.DrawBitmap(surface_, x, y, width, height, &*bitmap, useKey, key, bits, shadow, dx, dy, blurX, blurY, color);
  }
  AddLinkArea({x, y, x + boxWidth, y + boxHeight});
  line_.offset = std::min(line_.offset + boxWidth, 1 << 28);
}

}  // namespace tessel
