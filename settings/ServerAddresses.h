// Where a fresh settings file points the online services: this project's own score server on
// this machine. The one place to change them.
#pragma once

namespace tarvo {

inline constexpr const char* kDefaultTopTenAddress = "http://127.0.0.1:8015/topten";
inline constexpr const char* kDefaultStatisticsAddress = "http://127.0.0.1:8015/stats";

} // namespace tarvo
