#include "codec/Archive.h"

#include "raster/Error.h"

#include <zip.h>

#include <cstdio>
#include <memory>

namespace vk::codec {

namespace {

[[noreturn]] void fail(zip_error_t* error) {
    const std::string message = std::string("Cannot make the skin archive: ") + zip_error_strerror(error);
    zip_error_fini(error);
    throw Error(message);
}

[[noreturn]] void fail(zip_t* archive) {
    const std::string message = std::string("Cannot make the skin archive: ") + zip_strerror(archive);
    zip_discard(archive);
    throw Error(message);
}

// Reads everything the in-memory source holds once the archive is closed.
std::vector<std::uint8_t> drain(zip_source_t* source) {
    zip_error_t error;
    zip_error_init(&error);
    std::vector<std::uint8_t> bytes;
    if (zip_source_open(source) < 0) {
        zip_error_set(&error, ZIP_ER_OPEN, 0);
        fail(&error);
    }
    zip_source_seek(source, 0, SEEK_END);
    const zip_int64_t size = zip_source_tell(source);
    zip_source_seek(source, 0, SEEK_SET);
    if (size < 0) {
        zip_source_close(source);
        zip_error_set(&error, ZIP_ER_READ, 0);
        fail(&error);
    }
    bytes.resize(std::size_t(size));
    zip_int64_t done = 0;
    while (done < size) {
        const zip_int64_t got = zip_source_read(source, bytes.data() + done, zip_uint64_t(size - done));
        if (got <= 0) {
            zip_source_close(source);
            zip_error_set(&error, ZIP_ER_READ, 0);
            fail(&error);
        }
        done += got;
    }
    zip_source_close(source);
    zip_error_fini(&error);
    return bytes;
}

} // namespace

std::vector<std::uint8_t> zipFiles(const std::vector<NamedBytes>& files) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* buffer = zip_source_buffer_create(nullptr, 0, 0, &error);
    if (!buffer) fail(&error);
    std::unique_ptr<zip_source_t, decltype(&zip_source_free)> keep(buffer, &zip_source_free);
    // The archive must not free the buffer on close: its bytes are the result.
    zip_source_keep(buffer);
    zip_t* archive = zip_open_from_source(buffer, ZIP_TRUNCATE, &error);
    if (!archive) {
        zip_source_free(buffer);  // undo the extra reference
        fail(&error);
    }
    zip_error_fini(&error);

    for (const NamedBytes& file : files) {
        // The archive reads the bytes at close, while `files` is still alive.
        zip_source_t* source = zip_source_buffer(archive, file.bytes.data(), file.bytes.size(), 0);
        if (!source) fail(archive);
        const zip_int64_t index = zip_file_add(archive, file.name.c_str(), source, ZIP_FL_ENC_UTF_8);
        if (index < 0) {
            zip_source_free(source);
            fail(archive);
        }
        // zlib's default level: on a skin's sheets 1 % larger than level 9 in half the time.
        if (zip_set_file_compression(archive, zip_uint64_t(index), ZIP_CM_DEFLATE, 6) < 0) fail(archive);
    }
    if (zip_close(archive) < 0) fail(archive);
    return drain(buffer);
}

} // namespace vk::codec
