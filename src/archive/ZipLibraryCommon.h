#pragma once

// What the zip and the unzip halves of the archive library share: libzip,
// opened at run time and called through a table, the diagnostic of the last
// run, and the holder that discards an archive. Only the library's own files
// include this.
#include <zip.h>

#include <memory>
#include <string>

namespace ziplib::detail {

// libzip is opened the first time an archive is made or read, not as the
// program starts: with the cryptography library it brings along, linking it
// cost every start of the editor more than a millisecond. Its functions are
// called through this table, under their own names.
// clang-format off
#define TVX_LIBZIP_FUNCTIONS(F) \
    F(zip_close) \
    F(zip_compression_method_supported) \
    F(zip_dir_add) \
    F(zip_discard) \
    F(zip_encryption_method_supported) \
    F(zip_error_clear) \
    F(zip_error_code_zip) \
    F(zip_error_fini) \
    F(zip_error_init) \
    F(zip_fclose) \
    F(zip_file_add) \
    F(zip_file_get_error) \
    F(zip_file_get_external_attributes) \
    F(zip_file_set_encryption) \
    F(zip_file_set_external_attributes) \
    F(zip_file_set_mtime) \
    F(zip_fopen_index) \
    F(zip_fopen_index_encrypted) \
    F(zip_fread) \
    F(zip_get_error) \
    F(zip_get_num_entries) \
    F(zip_open) \
    F(zip_open_from_source) \
    F(zip_register_progress_callback_with_state) \
    F(zip_set_archive_comment) \
    F(zip_set_file_compression) \
    F(zip_source_buffer_create) \
    F(zip_source_file) \
    F(zip_source_free) \
    F(zip_source_keep) \
    F(zip_source_zip) \
    F(zip_stat_index) \
    F(zip_stat_init) \
    F(zip_strerror)
// clang-format on

struct LibZip {
#define TVX_LIBZIP_POINTER(name) decltype(&::name) name = nullptr;
    TVX_LIBZIP_FUNCTIONS(TVX_LIBZIP_POINTER)
#undef TVX_LIBZIP_POINTER
    bool loaded = false;
    std::string failure; // why it could not be opened
};

// libzip, opened once by whichever thread asks first; the entry points check
// that it opened before anything else calls it.
const LibZip &libzip();

// Why the last run failed (see LastDiagnostic).
extern std::string gDiagnostic;

// Keeps why as the diagnostic and gives code back.
int fail(int code, const std::string &why);

// A zip_t closed without writing when it goes out of scope.
struct ArchiveCloser {
    void operator()(zip_t *archive) const { libzip().zip_discard(archive); }
};
using Archive = std::unique_ptr<zip_t, ArchiveCloser>;

} // namespace ziplib::detail
