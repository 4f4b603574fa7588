// SPDX-License-Identifier: MIT

#include "formlayout.h"

namespace Layout {

Twips captionGeometry(Form::Id id)
{
    const int height =
            id.control().kind == Form::Kind::MultiLineBox ? TwoLineCaptionHeight : CaptionHeight;
    return {CaptionLeft, placeOf(id).at.top, CaptionWidth, height};
}

} // namespace Layout
