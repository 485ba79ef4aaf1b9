#pragma once

// A caller's choice carried into a notice's texts (GUI thread only).
// MouseOffLine: 0 = the mouse is offline, 1 = a device read timed out.
extern int OfflineNoticeKind;
// InportFail: 1 = the file is no profile, 2 = the profile does not fit the device.
extern int ImportResult;
