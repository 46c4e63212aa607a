// Names other programs find the About box by.
#pragma once

namespace tesk {

inline constexpr wchar_t kClaseAcercade[] = L"TeskAcercade";
inline constexpr wchar_t kCaptionAcercade[] = L"Form1";

}  // namespace tesk
