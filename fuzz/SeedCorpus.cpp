// Writes the fuzzers' seed corpus with the program's own writers: small draw archives (one and several
// data pages, with and without the sample mark), the program database, and history texts and a zip in
// the layouts the reader accepts. Usage: fuzz_seeds FOLDER (makes FOLDER/archive and FOLDER/storico).

#include "io/ProgramDatabaseTemplate.h"
#include "io/jet/JetDate.h"
#include "io/jet/JetWriter.h"
#include "io/storico/DrawArchiveFile.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <zip.h>

namespace fs = std::filesystem;

namespace {

std::vector<storico::Draw> draws(int count, int wheels) {
    std::vector<storico::Draw> all;
    for (int i = 0; i < count; ++i) {
        storico::Draw draw;
        draw.date = storico::CalendarDate{1939 + i / 100, 1 + i / 8 % 12, 1 + i % 8 * 3};
        for (int w = 0; w < wheels; ++w)
            draw.wheels[static_cast<std::size_t>(w)] = storico::WheelNumbers{
                1 + (i + w) % 86, 2 + (i + w) % 86, 3 + (i + w) % 86, 4 + (i + w) % 86, 90};
        all.push_back(draw);
    }
    return all;
}

void writeText(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

void writeZip(const fs::path& path, const std::string& entry, const std::string& text) {
    int error = 0;
    zip_t* zip = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!zip)
        throw std::runtime_error("cannot write " + path.string());
    zip_source_t* source = zip_source_buffer(zip, text.data(), text.size(), 0);
    zip_file_add(zip, entry.c_str(), source, ZIP_FL_OVERWRITE);
    zip_close(zip);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "uso: fuzz_seeds CARTELLA\n");
        return 2;
    }
    const fs::path archives = fs::path(argv[1]) / "archive";
    const fs::path histories = fs::path(argv[1]) / "storico";
    fs::create_directories(archives);
    fs::create_directories(histories);
    const double created = jet::toJetDate(2024, 1, 15);

    storico::writeDrawArchiveFile((archives / "tre-estrazioni.mdb").string(), draws(3, 11), created);
    storico::writeDrawArchiveFile((archives / "ruote-mancanti.mdb").string(), draws(12, 4), created);
    storico::writeDrawArchiveFile((archives / "piu-pagine.mdb").string(), draws(60, 11), created);
    storico::writeDrawArchiveFile((archives / "esempio.mdb").string(), draws(5, 11), created, true);
    jet::writeJetDatabase((archives / "DbVeltrano.mdb").string(),
                          programDatabaseTemplate("/home/utente/Dbarcomax.mdb", created));

    const std::string history = "1939/01/07\tBA\t58\t22\t47\t49\t69\n"
                                "1939/01/07\tRM\t1\t2\t3\t4\t5\n"
                                "1939/01/14\tBA\t10\t20\t30\t40\t50\n"
                                "1939/01/15\tNA\t11\t21\t31\t41\t51\n"
                                "1939/01/14\tRN\t12\t22\t32\t42\t52\n";
    writeText(histories / "storico.txt", history);
    writeText(histories / "varianti.txt", "\xEF\xBB\xBF"
                                          "07-01-1939;BA;58;22;47;49;69\r\n"
                                          "\r\n"
                                          "1939.01.07 RO 01 02 03 04 05\r\n"
                                          "14/01/1939,NZ,12,22,32,42,52\r\n");
    writeText(histories / "errori.txt", "1939/02/30\tBA\t1\t2\t3\t4\t5\n"
                                        "1939/01/07\tXX\t1\t2\t3\t4\t5\n"
                                        "1939/01/07\tBA\t1\t1\t3\t4\t91\n"
                                        "1939/01/07\tBA\t1\t2\t3\n");
    writeZip(histories / "storico.zip", "storico.txt", history);
    return 0;
}
