#pragma once

namespace velk::cli {

// velk-render's exit codes. 2 to 5 are those velk.exe ends with for the same causes.
enum class ExitCode : int {
    Rendered = 0,     // every page asked for was written
    Usage = 1,        // the command line is wrong (or asks for what this build cannot do)
    NotFound = 2,     // no such document
    OpenFailed = 3,   // the document cannot be opened
    InvalidFile = 4,  // not a velk document
    Password = 5,     // protected, and no password or a wrong one given
    NoSuchPage = 6,   // a page asked for is not in the document, or it has none
    OutputFailed = 7, // a page or the PDF could not be made or written
};

} // namespace velk::cli
