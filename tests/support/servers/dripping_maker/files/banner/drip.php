<?php
// A maker's site whose only banner picture never ends: one byte every tenth of a second, so
// the transfer never stalls and lasts until the program gives it up.
while (ob_get_level()) {
    ob_end_flush();
}
header('Content-Type: image/gif');
for (;;) {
    echo 'x';
    flush();
    usleep(100000);
}
