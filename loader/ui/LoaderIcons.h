#pragma once

#include <QIcon>

// The pictures of the loader's tool buttons and window. The desktop's icon theme supplies the
// open-file picture when it has one; the others have no standard icon and are drawn here.
QIcon FileOpenIcon();
// A serial connector with the port number n (1..4).
QIcon ComPortIcon(int n);
// A chip with an arrow going into it.
QIcon LoaderWindowIcon();
