<?php
// A report script from before the signed list: it answers the size request only (through
// script.inc beside it, the real script) and notes "pw" or "fq" for each request it gets.
file_put_contents(__DIR__ . '/asked', isset($_POST['pw']) ? 'pw ' : 'fq ', FILE_APPEND);
if (!isset($_POST['fq'])) {
	include __DIR__ . '/script.inc';
}
