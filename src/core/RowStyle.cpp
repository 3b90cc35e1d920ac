#include "core/RowStyle.h"

#include "core/FileAttributes.h"
#include "core/PathText.h"

namespace fm {

RowStyle RowStyleOf(const RowFacts& facts) {
  namespace fa = file_attribute;
  const std::uint32_t a = facts.attributes;
  RowStyle style{row_color::kListFont, true, false};

  // Later rules win, so hidden shows over system and read-only, links over all three.
  if (a & fa::kReadOnly) style.color = row_color::kReadOnly;
  if (a & fa::kSystem) style.color = row_color::kSystem;
  if (a & fa::kHidden) style.color = row_color::kHidden;
  if (a & fa::kReparsePoint) style.color = row_color::kLink;
  if (a & (fa::kCompressed | fa::kEncrypted)) style.color = row_color::kCompressed;
  if (a & (fa::kReparsePoint | fa::kSystem | fa::kHidden | fa::kReadOnly)) style.italic = true;

  // A file reached through a link or junction lies elsewhere than the folder shown.
  if (facts.isExistingFile && FolderPart(facts.fullPath) != facts.shownFolder) {
    style = {row_color::kElsewhere, true, true};
  }
  if (!facts.displayName.empty() && facts.size > 0 && !facts.isExistingFile) {
    style.color = row_color::kMissing;
  }
  return style;
}

}  // namespace fm
