// The report model: a printable document of paragraphs holding tables,
// drawings and column breaks.
#pragma once

namespace wd {

class TReport {
public:
    virtual ~TReport() = default;
};

} // namespace wd
