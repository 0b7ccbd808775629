// Writes the module's wave resources: wavegen OUTPUT_DIRECTORY
// makes wave10.wav, wave20.wav and wave30.wav there.
#include <cstdio>
#include <exception>
#include <fstream>
#include <string>

#include "resources/tools/wave_writer.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: wavegen OUTPUT_DIRECTORY\n");
        return 2;
    }
    try {
        for (int id : {10, 20, 30}) {
            const std::string path = std::string(argv[1]) + "/wave" + std::to_string(id) + ".wav";
            const auto bytes = korvel::resources::make_wave(id);
            std::ofstream out(path, std::ios::binary);
            out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
            if (!out) {
                std::fprintf(stderr, "wavegen: cannot write %s\n", path.c_str());
                return 1;
            }
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "wavegen: %s\n", e.what());
        return 1;
    }
    return 0;
}
