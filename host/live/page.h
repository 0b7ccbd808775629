// The live panel's page, compiled into the program from host/live/page/:
// nothing is read from the disk or fetched at run time.
#pragma once

#include <span>
#include <string_view>

namespace korvel::live {

struct PageFile {
    const char* path;  // as the browser asks for it
    std::string_view content;
    const char* type;
};

std::span<const PageFile> page_files();

}  // namespace korvel::live
