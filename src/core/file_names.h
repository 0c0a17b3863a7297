#pragma once
// File names and whole-file reading and writing. Paths use "/" as the folder
// separator. Failures come back as the system's error number (errno).
#include <functional>
#include <ostream>
#include <string>
#include <string_view>

namespace velm {

// True when path names a file (hidden ones included); false for folders,
// missing paths and any error.
bool FileExists(const std::string& path);

// The name with "." components and repeated "/" dropped and each ".." taken
// back over the folder before it, as the system would follow it: a ".." after
// a link leaves the folder the link leads to. Letters keep their case, since
// names differing only in case are different files. An empty name stays empty.
std::string NormalizedFileName(const std::string& name);

// From the last "." of the last path component to the end, lower-cased
// (".dxf"); empty when that component has none. A leading "." marks a hidden
// file, not an extension.
std::string FileExtension(const std::string& name);
// The name without what FileExtension finds.
std::string StripExtension(const std::string& name);
// Creates the folder that holds path (one level). 0 when it was made, or the
// system's error number.
int MakeDirOfPath(const std::string& path);
// The name an export proposes: the current file's name with `extension`
// (".dxf", ".iso") in place of its own; empty without a current file.
std::string ProposedExportName(const std::string& currentFileName, const std::string& extension);

// Reads the whole file. 0 or the system's error number.
int ReadWholeFile(const std::string& path, std::string& bytes);
// Writes bytes into a new file beside path and renames it over path, so that
// a failure leaves any previous file as it was. A previous file that the user
// may not write is refused (EACCES), as writing into it would be; its
// permission bits decide for the superuser too. 0 or the system's error
// number of the first failure.
int ReplaceFileContents(const std::string& path, std::string_view bytes);
// What a streamed replace writes: bytes into `out` (a binary stream over the
// new file, written through one buffer); 0 when everything was written, or a
// number of its own, which abandons the new file.
using FileWriter = std::function<int(std::ostream& out)>;
// ReplaceFileContents for a file too large to hold in memory first: the
// writer streams into the new file beside path. 0, the system's error number
// of the first failure, or the writer's own number; on any of these but 0
// the previous file stays as it was and no new file is left. With
// makeFolder, a missing folder is made (one level) and the open retried.
int ReplaceFileStreamed(const std::string& path, const FileWriter& write, bool makeFolder = false);
// 0 when path is missing or the running user may write it, else the
// system's error number (EACCES): the permission bits decide for the
// superuser too.
int WriteProtection(const std::string& path);
// True when the running user may make files in folder, by its permission
// bits for the superuser too.
bool FolderWritable(const std::string& folder);
// The system's own text for an error number.
std::string SystemErrorText(int errorNumber);

// Writes all of `bytes` to the file descriptor, going on after interrupted
// writes: 0, or the error number of the failed write.
int WriteAll(int fd, std::string_view bytes);

}  // namespace velm
