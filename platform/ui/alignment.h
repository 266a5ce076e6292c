// The horizontal alignment of a control's text.
#pragma once

namespace platform {

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };

}  // namespace platform
