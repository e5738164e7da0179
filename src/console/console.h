// The platform the calculator runs on: the screen model plus the devices.
// The calculator reaches the outside world only through this record.
#pragma once
#include "console/devices.h"
#include "console/keys.h"
#include "console/screen.h"

namespace qirn {

class FileSystem;  // console/files.h

struct Console {
  Screen screen;
  KeySource* keys = nullptr;
  Tone* tone = nullptr;
  PrinterStream* printer = nullptr;  // null when printing is unavailable
  FileSystem* files = nullptr;       // the current directory
};

}  // namespace qirn
