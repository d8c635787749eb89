// The settings file as arbitrary bytes, through a real file: the read from
// disk, the atomic replace of a write, and a second reader of the replaced
// file. Slower than the in-memory target; it keeps the file path covered.
#include "FuzzIni.h"
#include "FuzzTempFile.h"
#include "IniFile.h"

#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    if (fuzz_ini::TooManyLines(bytes))
        return 0;
    const QString path = TFuzzFolder::Get().Write(QStringLiteral("KR7Controller.ini"), data, size);
    if (path.isEmpty())
        return 0;
    TIniFile ini(path);
    fuzz_ini::Check(ini.Bytes() == TIniFile::FromBytes(bytes).Bytes());
    fuzz_ini::CheckProfile(ini, bytes, [](const TIniFile& changed) { return TIniFile(changed.Path()); });
    return 0;
}
