#include "gui/site_list_model.h"

#include "gui/qt_text.h"

namespace fq {

SiteListModel::SiteListModel(SiteList& sites, QObject* parent)
    : QAbstractTableModel(parent), sites_(sites) {
    sites_.setObserver(this);
}

SiteListModel::~SiteListModel() {
    sites_.setObserver(nullptr);
}

int SiteListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : sites_.size();
}

int SiteListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant SiteListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || !sites_.contains(index.row())) {
        return {};
    }
    const SiteRow& row = sites_.at(index.row());
    if (role == Qt::CheckStateRole && index.column() == kNumber) {
        return row.site.active ? Qt::Checked : Qt::Unchecked;
    }
    if (role == Qt::ToolTipRole) {
        const std::string note = RowNote(row.result);
        return note.empty() ? QVariant() : QVariant(ToQt(note));
    }
    if (role != Qt::DisplayRole) {
        return {};
    }
    switch (index.column()) {
    case kNumber:
        return QString::number(index.row() + 1);
    case kWebUrl:
        return ToQt(row.site.webUrl);
    case kLocalPath:
        return ToQt(row.site.localFolder);
    case kStatus:
        return ToQt(StatusText(row.result.status));
    case kTotal:
        return ToQt(TotalText(row.result));
    case kDetail:
        return ToQt(DetailText(row.result));
    default:
        return {};
    }
}

bool SiteListModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || index.column() != kNumber || role != Qt::CheckStateRole) {
        return false;
    }
    sites_.setActive(index.row(), value.value<Qt::CheckState>() == Qt::Checked);
    return true;
}

Qt::ItemFlags SiteListModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (index.isValid() && index.column() == kNumber) {
        flags |= Qt::ItemIsUserCheckable;
    }
    return flags;
}

QVariant SiteListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    static const char* const kTitles[kColumnCount] = {"No.",    "Web URL", "Local Path",
                                                      "Status", "Total",   "Detail"};
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= kColumnCount) {
        return {};
    }
    return QLatin1String(kTitles[section]);
}

void SiteListModel::siteListAboutToChange(const SiteListChange& change) {
    switch (change.kind) {
    case SiteListChange::kReset:
        beginResetModel();
        break;
    case SiteListChange::kInsert:
        beginInsertRows({}, change.row, change.row);
        break;
    case SiteListChange::kRemove:
        beginRemoveRows({}, change.row, change.row);
        break;
    case SiteListChange::kUpdate:
        break;
    }
}

void SiteListModel::siteListChanged(const SiteListChange& change) {
    switch (change.kind) {
    case SiteListChange::kReset:
        endResetModel();
        break;
    case SiteListChange::kInsert:
        endInsertRows();
        renumberFrom(change.row + 1);
        break;
    case SiteListChange::kRemove:
        endRemoveRows();
        renumberFrom(change.row);
        break;
    case SiteListChange::kUpdate: {
        const int first = change.row < 0 ? 0 : change.row;
        const int last = change.row < 0 ? sites_.size() - 1 : change.row;
        if (last >= first) {
            emit dataChanged(index(first, 0), index(last, kColumnCount - 1));
        }
        break;
    }
    }
}

void SiteListModel::renumberFrom(int row) {
    // "No." is the position: every row after an inserted or removed one shows another number.
    if (row < sites_.size()) {
        emit dataChanged(index(row, kNumber), index(sites_.size() - 1, kNumber), {Qt::DisplayRole});
    }
}

} // namespace fq
