#include "io/jet/JetHeader.h"

#include "io/jet/JetBytes.h"
#include "io/jet/JetError.h"
#include "io/jet/JetHeaderBlock.h"
#include "io/jet/JetText.h"

#include <array>
#include <cstring>
#include <fstream>

namespace jet {

namespace {

constexpr std::size_t kHeaderBytes = 0x98 + 8;
constexpr char kJetMagic[] = "Standard Jet DB";
constexpr char kMsisamMagic[] = "MSISAM Database";

std::string notADatabase(const std::string& path, const std::string& why) {
    return "Il file \"" + path + "\" non è un database Access 2000 o precedente: " + why + ".";
}

// Jet 3 keeps the password as single bytes of the database code page (Windows-1252 here).
std::string windows1252ToUtf8(const std::uint8_t* data, std::size_t size) {
    static constexpr char16_t high[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                          0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                          0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                          0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    std::u16string text;
    for (std::size_t i = 0; i < size && data[i] != 0; ++i)
        text.push_back(data[i] >= 0x80 && data[i] < 0xA0 ? high[data[i] - 0x80] : char16_t{data[i]});
    return ucs2ToUtf8(text);
}

} // namespace

JetHeaderInfo readJetHeader(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw JetError("Impossibile aprire il file \"" + path + "\".");
    in.seekg(0, std::ios::end);
    const auto fileSize = static_cast<long long>(in.tellg());
    in.seekg(0);
    if (fileSize <= 0)
        throw JetError(notADatabase(path, "il file è vuoto"));
    std::array<std::uint8_t, kHeaderBytes> page{};
    in.read(reinterpret_cast<char*>(page.data()), static_cast<std::streamsize>(page.size()));
    if (in.gcount() != static_cast<std::streamsize>(page.size()))
        throw JetError(notADatabase(path, "il file è troppo corto"));

    if (std::memcmp(page.data() + 4, kMsisamMagic, sizeof kMsisamMagic) == 0)
        throw JetError(notADatabase(path, "è un database MSISAM"));
    static constexpr std::uint8_t start[4] = {0x00, 0x01, 0x00, 0x00};
    if (std::memcmp(page.data(), start, sizeof start) != 0 ||
        std::memcmp(page.data() + 4, kJetMagic, sizeof kJetMagic) != 0)
        throw JetError(notADatabase(path, "l'intestazione non è quella di un database Jet"));

    JetHeaderInfo info;
    info.version = page[kHeaderVersionOffset];
    if (info.version > 1)
        throw JetError(notADatabase(path, "è nel formato di una versione successiva di Access"));
    const bool jet4 = info.version == 1;
    const std::size_t pageSize = jet4 ? 4096 : 2048;
    if (fileSize < static_cast<long long>(2 * pageSize) || fileSize % static_cast<long long>(pageSize) != 0)
        throw JetError(notADatabase(path, "il file è troncato"));

    applyHeaderCipher(page.data(), jet4 ? kJet4HeaderBlockLength : kJet3HeaderBlockLength);
    info.pageEncodingKey = getU32(page.data() + kHeaderPageKeyOffset);
    info.codePage = static_cast<int>(getU16(page.data() + kHeaderCodePageOffset));
    std::uint8_t* field = page.data() + kHeaderPasswordOffset;
    if (jet4) {
        info.creationDate = getDouble(page.data() + kHeaderCreationDateOffset);
        applyPasswordMask(field, kJet4PasswordBytes, info.creationDate);
        std::u16string password;
        for (std::size_t i = 0; i + 1 < kJet4PasswordBytes; i += 2) {
            const auto c = static_cast<char16_t>(getU16(field + i));
            if (c == 0)
                break;
            password.push_back(c);
        }
        info.password = ucs2ToUtf8(password);
    } else {
        info.password = windows1252ToUtf8(field, kJet3PasswordBytes);
    }
    return info;
}

void checkDatabasePassword(const std::string& path, const std::string& password) {
    const JetHeaderInfo info = readJetHeader(path);
    if (info.password.empty() || info.password == password)
        return;
    throw WrongPasswordError("Password non valida per il database \"" + path + "\".");
}

} // namespace jet
