#include "SaveFlow.h"

// Filled in with the photo library.
namespace SaveFlow {
void saveAll(Services&, QObject*, std::vector<Image>, std::function<void(int)>)
{
}
void saveOne(Services&, QObject*, const Image&)
{
}
void showPermissionAlert(Services&)
{
}
} // namespace SaveFlow
