// Qt below app/, which the layer check must refuse.
#include <QImage>
