#pragma once

#include <mpg123.h>

#include <cstddef>
#include <vector>

// A recording held in memory and read by libmpg123 through its reader callbacks: the
// decoder's many small reads, and the scan for the length, then cost no system calls.
class MemoryFile
{
public:
    // Reads the whole file; false when it cannot be read or is larger than MaxInMemory.
    bool load(const char *fileName);
    void assign(const unsigned char *data, size_t size);
    // Opens the handle on the bytes held here, which must stay until the handle is closed.
    bool open(mpg123_handle *handle);

    static constexpr long MaxInMemory = 64L << 20;

private:
    static mpg123_ssize_t read(void *handle, void *buffer, size_t count);
    static off_t seek(void *handle, off_t offset, int whence);

    std::vector<unsigned char> m_bytes;
    size_t m_position = 0;
};
