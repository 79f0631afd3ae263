#pragma once

#include "core/sites/site_list.h"

#include <QAbstractTableModel>

namespace fq {

// The site list as the table of the main window: "No." (the 1-based position, with the
// row's tick), "Web URL", "Local Path", "Status", "Total" and "Detail". Only the tick can be
// changed here; the list itself stays the one place that holds the rows.
class SiteListModel final : public QAbstractTableModel, private SiteListObserver {
    Q_OBJECT

public:
    enum Column : int {
        kNumber,
        kWebUrl,
        kLocalPath,
        kStatus,
        kTotal,
        kDetail,
        kColumnCount,
    };

    explicit SiteListModel(SiteList& sites, QObject* parent = nullptr);
    ~SiteListModel() override;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    void siteListAboutToChange(const SiteListChange& change) override;
    void siteListChanged(const SiteListChange& change) override;
    void renumberFrom(int row);

    SiteList& sites_;
};

} // namespace fq
