<?php
// Lark Hill Diary: the latest posts.
require __DIR__ . '/inc/header.php';
$posts = array(
    'first-frost' => 'First frost on the hill',
    'bees' => 'The bees are back',
);
foreach ($posts as $slug => $title) {
    echo '<h2><a href="post.php?p=', urlencode($slug), '">', htmlspecialchars($title), "</a></h2>\n";
}
require __DIR__ . '/inc/footer.php';
