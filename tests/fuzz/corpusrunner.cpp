// Runs a libFuzzer target's LLVMFuzzerTestOneInput over every file of the
// folders (or files) named on its command line, for builds without libFuzzer:
// the sanitized test builds run the seeds this way.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

namespace {
void runFile(const std::filesystem::path &file)
{
    std::ifstream in(file, std::ios::binary);
    const std::vector<char> bytes {std::istreambuf_iterator<char>(in), {}};
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t *>(bytes.data()), bytes.size());
}
} // namespace

int main(int argc, char *argv[])
{
    int files = 0;
    for (int i = 1; i < argc; ++i) {
        const std::filesystem::path named(argv[i]);
        if (std::filesystem::is_directory(named)) {
            for (const auto &entry : std::filesystem::directory_iterator(named)) {
                runFile(entry.path());
                ++files;
            }
        } else {
            runFile(named);
            ++files;
        }
    }
    std::printf("%d inputs run\n", files);
    return files > 0 ? 0 : 1;
}
