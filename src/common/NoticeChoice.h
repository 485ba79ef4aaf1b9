#pragma once

// A caller's choice carried into a notice's texts (GUI thread only).
// MouseOffLine: one of the kinds below, the index of SigMouseOffLineo.
extern int OfflineNoticeKind;
enum MouseNoticeKind
{
    MouseNoticeOffline = 0,     // the mouse does not answer
    MouseNoticeTimeOut = 1,     // a read of the mouse timed out
    MouseNoticeRefused = 2,     // the mouse answers but did not take a change
    MouseNoticeStillReading = 3 // a change came before the mouse's settings were read
};
// InportFail: 1 = the file is no profile, 2 = the profile does not fit the device.
extern int ImportResult;
