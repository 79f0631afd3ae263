<?php
// Starts per day and clicks per banner, from what sendstat.php recorded.
$db = new PDO('sqlite:' . (getenv('FERQUOR_STATS_DB') ?: __DIR__ . '/stats.sqlite'));
$db->exec('CREATE TABLE IF NOT EXISTS report (time TEXT, app TEXT, key TEXT, event TEXT, banner TEXT)');
$table = function ($title, $sql) use ($db) {
    echo '<h2>', htmlspecialchars($title), "</h2>\n<table border=1>\n";
    foreach ($db->query($sql, PDO::FETCH_NUM) as $row) {
        echo '<tr><td>', htmlspecialchars($row[0]), '</td><td>', (int)$row[1], "</td></tr>\n";
    }
    echo "</table>\n";
};
echo "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>Ferrow Quorvel statistics</title></head><body>\n";
$table('Starts per day', "SELECT substr(time, 1, 10), COUNT(*) FROM report WHERE event = 'start' GROUP BY 1 ORDER BY 1");
$table('Clicks per banner', "SELECT banner, COUNT(*) FROM report WHERE event = 'click' GROUP BY 1 ORDER BY 2 DESC, 1");
echo "</body></html>\n";
