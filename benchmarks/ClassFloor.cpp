// The floor of reading a class: every file under the folders named, read
// whole and split into lines, and nothing else. calctutor-report is measured
// against it by scripts/bench.sh.
//   class_floor FOLDER...   prints the number of files and lines

#include "platform/NativeFiles.h"

#include <filesystem>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

int main(int argc, char** argv)
{
    std::size_t files = 0;
    std::size_t lines = 0;
    std::string bytes;
    std::vector<std::string_view> split;
    for (int i = 1; i < argc; ++i) {
        for (const auto& item : std::filesystem::recursive_directory_iterator(argv[i])) {
            if (!item.is_regular_file())
                continue;
            calctutor::native::File file;
            std::uint64_t size = 0;
            if (calctutor::native::File::openForReading(item.path(), file) || file.size(size))
                continue;
            bytes.clear();
            if (file.appendAt(0, static_cast<std::size_t>(size), bytes))
                continue;
            ++files;
            split.clear();
            std::string_view rest = bytes;
            for (std::size_t end = rest.find('\n'); end != std::string_view::npos; end = rest.find('\n')) {
                split.push_back(rest.substr(0, end));
                rest.remove_prefix(end + 1);
            }
            if (!rest.empty())
                split.push_back(rest);
            lines += split.size();
        }
    }
    std::cout << files << " files, " << lines << " lines\n";
    return 0;
}
