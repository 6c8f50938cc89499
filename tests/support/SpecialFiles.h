#pragma once

#ifndef _WIN32
#include "support/TempFolder.h"

#include <cstring>
#include <filesystem>
#include <string>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>
#include <vector>

// Everything that can stand under a file's name, made inside a test's temporary folder (a device node only
// where the tests run as root; elsewhere it is left out). Links to each kind come with a "link to " name.
struct SpecialFile {
    std::string kind;
    std::string path;
    std::string reason; // why it cannot stand for a file
};

inline std::vector<SpecialFile> makeSpecialFiles(const TempFolder& temp)
{
    std::vector<SpecialFile> files;
    const std::string folder = temp.makeFolder("kinds");
    files.push_back({"folder", temp.makeFolder("kinds/folder.ini"), "it is a folder, not a regular file"});
    const std::string fifo = folder + "/fifo.ini";
    if (mkfifo(fifo.c_str(), 0644) == 0)
        files.push_back({"pipe", fifo, "it is a pipe (FIFO), not a regular file"});
    // The null device's numbers: reading gives nothing and writing is swallowed, so a fault is harmless.
    const std::string device = folder + "/device.ini";
    if (mknod(device.c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0)
        files.push_back({"device", device, "it is a device, not a regular file"});
    const std::string socketPath = folder + "/socket.ini";
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const int socketFile = socket(AF_UNIX, SOCK_STREAM, 0);
    if (socketPath.size() < sizeof address.sun_path && socketFile >= 0) {
        std::memcpy(address.sun_path, socketPath.c_str(), socketPath.size() + 1);
        if (bind(socketFile, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0)
            files.push_back({"socket", socketPath, "it is a socket, not a regular file"});
    }
    if (socketFile >= 0)
        close(socketFile);
    const size_t count = files.size();
    for (size_t i = 0; i < count; ++i) {
        const std::string link = folder + "/link to " + files[i].kind;
        std::filesystem::create_symlink(files[i].path, link);
        files.push_back({"link to " + files[i].kind, link, files[i].reason});
    }
    return files;
}
#endif
