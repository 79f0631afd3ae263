<?php
// Lark Hill Diary: one post.
require __DIR__ . '/inc/header.php';
$slug = isset($_GET['p']) ? preg_replace('/[^a-z-]/', '', $_GET['p']) : '';
echo '<p>Post: ', htmlspecialchars($slug), "</p>\n";
require __DIR__ . '/inc/footer.php';
