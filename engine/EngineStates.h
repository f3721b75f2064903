#pragma once
// The engine's states (TamblixEngine::getState).

namespace com::quorvex::products::tamblix {

constexpr int ENGINE_READY = 0;
constexpr int ENGINE_SCANNING = 1;
constexpr int ENGINE_SCAN_FINISHED = 2;
constexpr int ENGINE_SCAN_FAILED = 3;
constexpr int ENGINE_SCAN_CANCELLED = 4;
constexpr int ENGINE_FIXING = 5;
constexpr int ENGINE_FIX_FINISHED = 6;
constexpr int ENGINE_FIX_FAILED = 7;
constexpr int ENGINE_UPDATING = 8;
constexpr int ENGINE_UPDATE_FINISHED_UPDATED = 9;
constexpr int ENGINE_UPDATE_FINISHED_NOT_UPDATED = 10;
constexpr int ENGINE_UPDATE_FAILED = 11;
constexpr int ENGINE_UPDATE_CANCELLED = 12;

}  // namespace com::quorvex::products::tamblix
