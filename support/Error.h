#pragma once
// The program's one error type. Raised where a run must stop with the toolkit's
// own error box: a failed integer conversion, a 64-bit overflow, a file that
// cannot be written. Handlers catch it, show what() and leave data as it was.
#include <stdexcept>
#include <string>

namespace yoheki {

class Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A text that CP932 cannot hold, found while encoding for a file.
class EncodingError : public Error {
public:
    using Error::Error;
};

// A file that could not be read or written.
class FileError : public Error {
public:
    using Error::Error;
};

} // namespace yoheki
