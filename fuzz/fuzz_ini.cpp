// The settings file as arbitrary bytes, read and written in memory. The
// content a write gives must read again to the same lines and write again to
// the same bytes.
#include "FuzzIni.h"
#include "IniFile.h"

#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    if (fuzz_ini::TooManyLines(bytes))
        return 0;
    TIniFile ini = TIniFile::FromBytes(bytes);
    const std::string normal = ini.Bytes();
    fuzz_ini::Check(TIniFile::FromBytes(normal).Bytes() == normal);
    fuzz_ini::CheckProfile(ini, bytes, [](const TIniFile& changed) { return TIniFile::FromBytes(changed.Bytes()); });
    return 0;
}
