#pragma once

// The C library looks at the system's zone file (/etc/localtime) again at
// every local-time conversion while TZ is not set, and Qt converts each
// picture file's modification time to local time whenever a style sheet
// loads the picture: thousands of file-system calls during start-up for a
// zone that does not change.
namespace LocalTimeZone {

// Where the user set no TZ, names the system's zone file as TZ, which is the
// zone the C library uses without one, so local times stay exactly as they
// were; it is then read once. A TZ the user set (even an empty one) stays as
// it is. Call once at start, before the application object and before any
// thread starts. Returns the TZ now in force ("" when none).
const char *PinProcessZone();

} // namespace LocalTimeZone
