#pragma once

#include "PictureResult.h"

#include <QString>

// The log line that says why the picture file fileName was not imported.
QString PictureFaultText(const TPictureResult& result, const QString& fileName);
