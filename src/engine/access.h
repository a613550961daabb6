#pragma once

namespace engine {

// How a program uses the table files: the windows read and write them; a
// report from the command line only reads, beside the running program.
enum class Access { ReadWrite, ReadOnly };

} // namespace engine
