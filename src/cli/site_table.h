#pragma once

#include "check/check_pass.h"

#include <vector>

namespace fq {

// The sites of a database file as the rows of a check pass, with what the pass wrote.
class SiteTable : public CheckRows {
public:
    struct Row {
        StoredSite site;
        CheckResult result;
    };

    explicit SiteTable(const std::vector<StoredSite>& sites);

    int rowCount() const override { return static_cast<int>(rows_.size()); }
    StoredSite site(int row) const override;
    void writeResult(int row, const CheckResult& result) override;

    const std::vector<Row>& rows() const { return rows_; }

private:
    std::vector<Row> rows_;
};

} // namespace fq
