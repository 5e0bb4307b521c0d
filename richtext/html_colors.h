#pragma once
// Colour values of the rich text: "#rrggbb", C integer literals, the colour
// keywords and the system colour names, and the colours-disabled mode that
// draws a whole text in one flat colour.
#include <map>
#include <string>
#include <string_view>

#include "richtext/html_style.h"
#include "richtext/system_colors.h"

namespace tessel {

class HtmlColors {
 public:
  // Fills the keyword table and reads the system colour names once, now.
  explicit HtmlColors(const SystemColors& system);

  // Adds or replaces a colour name.
  void SetColorName(const std::string& name, ColorRef color) { names_[name] = color; }
  const std::map<std::string, ColorRef>& Names() const { return names_; }

  void SetEnabled(bool enabled) { enabled_ = enabled; }
  bool Enabled() const { return enabled_; }
  void SetReplacement(ColorRef color) { replacement_ = color; }
  ColorRef Replacement() const { return replacement_; }

  // A colour text read against the current value: what cannot be read keeps
  // `current`; with colours disabled the answer is always the replacement.
  ColorRef Parse(std::string_view text, ColorRef current) const;
  // Any colour about to be used: the replacement when colours are disabled.
  ColorRef Filter(ColorRef color) const { return enabled_ ? color : replacement_; }

 private:
  std::map<std::string, ColorRef> names_;
  bool enabled_ = true;
  ColorRef replacement_;
};

}  // namespace tessel
