#pragma once

// A device in boot mode is a flash that did not end, whether or not its
// failure record survived (the registry file lost, or written on another
// computer). When no record exists, every device that a firmware image of
// the catalogue finds in boot mode gets the record of that image's kind,
// receiver variant, customer id and model id, so that the repair is offered
// and knows what to flash. Does nothing while a run or a repair flashes.
// True when a record was written.
bool RecordBootModeDevices();
