#pragma once

namespace ferrowind {

inline constexpr const char* kProgramVersion = "1.2";
inline constexpr const char* kMainCaption = "Ferrowind 1.2";
inline constexpr const char* kContactAddress = "ferrowind@mailbox.org";

} // namespace ferrowind
