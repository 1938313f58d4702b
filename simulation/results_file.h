// DmgOut.txt: the header and one comma-separated line per sweep cell, CR LF line ends, written in
// 128-byte blocks as the buffer fills and the rest when the run closes the file.
#pragma once

#include <array>
#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

#include "sweep.h"

namespace ostrane {

// A failed file operation: the error code and the message that the code chooses.
class EInOutError : public std::runtime_error {
public:
    EInOutError(int code, const std::string& message);
    int ErrorCode() const { return code_; }

    // The error of a failed system call, from its errno.
    static EInOutError FromErrno(int error);

private:
    int code_;
};

class ResultsFile final : public ResultsSink {
public:
    static constexpr std::string_view kHeader = "Algo,SwimCount,SoakHrs,TurnRange,DMG";
    static constexpr std::size_t kBufferSize = 128;

    // path is resolved at each OpenResults, against the current directory when relative.
    explicit ResultsFile(std::string path = "DmgOut.txt");
    ~ResultsFile() override;
    ResultsFile(const ResultsFile&) = delete;
    ResultsFile& operator=(const ResultsFile&) = delete;

    void OpenResults() override;
    void WriteCell(const CellResult& cell) override;
    void CloseResults() override;
    void AbandonResults() noexcept override;

    bool IsOpen() const { return fd_ >= 0; }

private:
    void Append(std::string_view bytes);
    // Writes the buffer's first `count` bytes; throws EInOutError on failure.
    void WriteOut(std::size_t count);

    std::string path_;
    int fd_ = -1;
    std::array<char, kBufferSize> buffer_{};
    std::size_t fill_ = 0;
};

}  // namespace ostrane
