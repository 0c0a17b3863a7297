#include "output/iso_export.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "core/file_names.h"

namespace velm {

namespace {

IsoResult Failed(IsoStatus status, int error = 0) {
    IsoResult r;
    r.Status = status;
    r.Error = error;
    return r;
}

void RemoveQuietly(const std::string& path) {
    std::error_code ec;
    std::filesystem::remove(path, ec);
}

// Creates the empty output file, making a missing folder one level, as a save does.
int CreateEmpty(const std::string& path) {
    for (int attempt = 0; attempt < 2; ++attempt) {
        errno = 0;
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            ::close(fd);
            return 0;
        }
        const int error = errno != 0 ? errno : EIO;
        if (error != ENOENT || attempt > 0) return error;
        const int made = MakeDirOfPath(path);
        if (made != 0 && made != EEXIST) return made;
    }
    return ENOENT;
}

// What the output file held before the converter ran, to put back on failure.
struct Previous {
    bool existed = false;
    std::string bytes;
};

void Restore(const std::string& path, const Previous& previous) {
    if (!previous.existed) {
        RemoveQuietly(path);
        return;
    }
    std::string now;
    if (ReadWholeFile(path, now) == 0 && now == previous.bytes) return;
    ReplaceFileContents(path, previous.bytes);
}

IsoStatus Judge(const ProcessOutcome& o, const std::string& outputName) {
    if (!o.Started) return IsoStatus::NotStarted;
    if (o.Cancelled) return IsoStatus::Cancelled;
    if (o.Crashed) return IsoStatus::Crashed;
    if (o.ExitCode != 0) return IsoStatus::ExitCode;
    std::error_code ec;
    const auto size = std::filesystem::file_size(outputName, ec);
    return !ec && size > 0 ? IsoStatus::Done : IsoStatus::NoOutput;
}

}  // namespace

IsoResult ExportIso(const std::string& outputName, const WorkingState& state, Processes& processes,
                    const std::string& waitText) {
    if (processes.Waiting()) return Failed(IsoStatus::Busy);
    if (const DxfStatus s = CheckDxfSource(state); s != DxfStatus::Written) {
        IsoResult r = Failed(IsoStatus::Refused);
        r.Drawing = s;
        return r;
    }
    const std::string& folder = state.AppDir;
    if (!FolderWritable(folder)) return Failed(IsoStatus::FolderNotWritable);
    const std::string converter = folder + "/" + ConverterName;
    if (!FileExists(converter)) return Failed(IsoStatus::ConverterMissing);
    if (const int protection = WriteProtection(outputName); protection != 0)
        return Failed(IsoStatus::TargetFailed, protection);

    const std::string drawing = folder + "/" + ConverterDrawingName;
    const DxfFileResult written = WriteDxfFile(drawing, state);
    if (!written.Ok()) {
        IsoResult r = Failed(written.Status != DxfStatus::Written ? IsoStatus::Refused : IsoStatus::DrawingFailed,
                             written.Error);
        r.Drawing = written.Status;
        return r;
    }

    // An existing file is not emptied beforehand; a new one is made only now
    // that the converter is there.
    Previous previous;
    previous.existed = FileExists(outputName);
    const int kept = previous.existed ? ReadWholeFile(outputName, previous.bytes) : CreateEmpty(outputName);
    if (kept != 0) {
        RemoveQuietly(drawing);
        return Failed(IsoStatus::TargetFailed, kept);
    }

    IsoResult r;
    const ProcessOutcome outcome =
        processes.RunAndWait(converter, {ConverterFirstArgument, StripExtension(outputName)}, folder, waitText);
    RemoveQuietly(drawing);
    r.Status = Judge(outcome, outputName);
    r.ExitCode = outcome.ExitCode;
    if (r.Status != IsoStatus::Done) Restore(outputName, previous);
    return r;
}

}  // namespace velm
