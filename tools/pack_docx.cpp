// Zips an unpacked Office Open XML package into one file. The entries are
// taken from entries.txt in the given order ([Content_Types].xml first) and
// written without directory entries, which Word would offer to repair.
#include <zip.h>

#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

int main(int argc, char **argv) {
    if (argc != 3) {
        std::cerr << "usage: pack_docx OUT.docx FOLDER\n";
        return 2;
    }
    const std::string out = argv[1];
    const std::string folder = argv[2];
    std::ifstream list(folder + "/entries.txt");
    if (!list) {
        std::cerr << "pack_docx: no entries.txt in " << folder << "\n";
        return 1;
    }
    std::vector<std::string> entries;
    for (std::string line; std::getline(list, line);) {
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.pop_back();
        if (!line.empty() && line[0] != '#') entries.push_back(line);
    }
    if (entries.empty() || entries.front() != "[Content_Types].xml") {
        std::cerr << "pack_docx: entries.txt must start with [Content_Types].xml\n";
        return 1;
    }
    std::remove(out.c_str());
    int error = 0;
    zip_t *archive = zip_open(out.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!archive) {
        std::cerr << "pack_docx: cannot create " << out << "\n";
        return 1;
    }
    for (const std::string &entry : entries) {
        const std::string path = folder + "/" + entry;
        zip_source_t *source = zip_source_file(archive, path.c_str(), 0, -1);
        if (!source) {
            std::cerr << "pack_docx: cannot read " << path << "\n";
            zip_discard(archive);
            return 1;
        }
        const zip_int64_t index = zip_file_add(archive, entry.c_str(), source, ZIP_FL_ENC_UTF_8);
        if (index < 0) {
            zip_source_free(source);
            std::cerr << "pack_docx: cannot add " << entry << "\n";
            zip_discard(archive);
            return 1;
        }
        // Reproducible output; a day past the DOS epoch so that no time zone
        // takes it below 1980.
        zip_file_set_mtime(archive, index, 315619200, 0);
    }
    if (zip_close(archive) != 0) {
        std::cerr << "pack_docx: cannot write " << out << "\n";
        return 1;
    }
    return 0;
}
