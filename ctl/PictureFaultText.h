#pragma once

#include "PictureResult.h"

#include <string>

// Why the picture file fileName was refused, in the words of kr7ctl's error line.
std::string PictureFaultText(const TPictureResult& result, const std::string& fileName);
