<?php
// Records one usage report of the program: a start or a banner click.
// The program sends app, key and do (start or click), and banner for a click; it never reads
// the answer.
$db = new PDO('sqlite:' . (getenv('FERQUOR_STATS_DB') ?: __DIR__ . '/stats.sqlite'));
$db->setAttribute(PDO::ATTR_ERRMODE, PDO::ERRMODE_EXCEPTION);
$db->exec('CREATE TABLE IF NOT EXISTS report (time TEXT, app TEXT, key TEXT, event TEXT, banner TEXT)');
$field = function ($name) { return isset($_GET[$name]) && is_string($_GET[$name]) ? $_GET[$name] : ''; };
$insert = $db->prepare('INSERT INTO report VALUES (?, ?, ?, ?, ?)');
$insert->execute([gmdate('Y-m-d H:i:s'), $field('app'), $field('key'), $field('do'), $field('banner')]);
echo 'ok';
