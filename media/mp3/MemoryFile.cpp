#include "MemoryFile.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

bool MemoryFile::load(const char *fileName)
{
    std::unique_ptr<FILE, decltype(&std::fclose)> file(std::fopen(fileName, "rb"), &std::fclose);
    if (!file || std::fseek(file.get(), 0, SEEK_END) != 0)
        return false;
    const long size = std::ftell(file.get());
    if (size < 0 || size > MaxInMemory || std::fseek(file.get(), 0, SEEK_SET) != 0)
        return false;
    m_bytes.resize(size_t(size));
    m_position = 0;
    return std::fread(m_bytes.data(), 1, m_bytes.size(), file.get()) == m_bytes.size();
}

void MemoryFile::assign(const unsigned char *data, size_t size)
{
    m_bytes.assign(data, data + size);
    m_position = 0;
}

bool MemoryFile::open(mpg123_handle *handle)
{
    return mpg123_replace_reader_handle(handle, &MemoryFile::read, &MemoryFile::seek, nullptr) ==
               MPG123_OK &&
           mpg123_open_handle(handle, this) == MPG123_OK;
}

mpg123_ssize_t MemoryFile::read(void *handle, void *buffer, size_t count)
{
    auto *self = static_cast<MemoryFile *>(handle);
    count = std::min(count, self->m_bytes.size() - self->m_position);
    if (count > 0)
        std::memcpy(buffer, self->m_bytes.data() + self->m_position, count);
    self->m_position += count;
    return mpg123_ssize_t(count);
}

off_t MemoryFile::seek(void *handle, off_t offset, int whence)
{
    auto *self = static_cast<MemoryFile *>(handle);
    const off_t size = off_t(self->m_bytes.size());
    const off_t base = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? off_t(self->m_position) : size;
    // Offsets come from the stream's own headers: compared before adding, so that none can
    // overflow.
    if (offset < -base || offset > size - base)
        return -1;
    self->m_position = size_t(base + offset);
    return base + offset;
}
