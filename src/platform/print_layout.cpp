#include "platform/print_layout.h"

#include <algorithm>
#include <cmath>

namespace {

int contentLength(const QStringList &block)
{
    int length = int(block.size());
    while (length > 0 && block.at(length - 1).isEmpty())
        --length;
    return length;
}

} // namespace

QList<QStringList> paginate(const QList<QStringList> &blocks, int linesPerPage)
{
    linesPerPage = std::max(linesPerPage, 1);
    QList<QStringList> pages{QStringList()};
    for (const QStringList &block : blocks) {
        const int content = contentLength(block);
        if (!pages.last().isEmpty() && pages.last().size() + content > linesPerPage)
            pages.append(QStringList());
        for (int i = 0; i < block.size(); ++i) {
            if (pages.last().size() == linesPerPage) {
                if (i >= content)
                    break;
                pages.append(QStringList());
            }
            pages.last().append(block.at(i));
        }
    }
    return pages;
}

double fittingPointSize(double nominal, double available,
                        const std::function<double(double)> &widthAt)
{
    const double width = widthAt(nominal);
    if (width <= available || width <= 0)
        return nominal;
    double size = std::floor(nominal * available / width * 2) / 2;
    while (size > 0.5 && widthAt(size) > available)
        size -= 0.5;
    return std::max(size, 0.5);
}
