<?php
// Ferrow Quorvel report script: it tells the program the size and SHA-256 of this site's
// watched files, and only when asked with the password below.
// 1. Upload this file as _report.php to the root of your site, so that it answers at
//    http://www.yourwebsite.com/_report.php
// 2. The password must be the one set in Ferrow Quorvel. Inside its quotes, write \' for '
//    and \\ for \.
$pw = 'demo-watch';

$_POST += array('fq' => null, 'pw' => null, 'path' => null);
if ($_POST['fq'] === '1') {
	echo fq_listing($pw);
} elseif ($pw !== '' && is_string($_POST['pw']) && is_string($_POST['path'])
	&& hash_equals($pw, $_POST['pw'])) {
	// The size of each path followed by "-"; a path that could leave the site gets an empty
	// field, like a missing file, so that the fields keep their places. A Windows host takes
	// "\" for a folder separator too, and "C:" for another drive.
	$sizes = '';
	foreach (explode("\r\n", $_POST['path']) as $p) {
		if ($p !== '') {
			$outside = strpos($p, '://') !== false || $p[0] == '/' || $p[0] == '\\'
				|| preg_match('/^[A-Za-z]:/', $p)
				|| in_array('..', explode('/', strtr($p, '\\', '/')), true);
			$sizes .= ($outside ? '' : @filesize($p)) . '-';
		}
	}
	echo $sizes;
}

// The list of the watched files below this folder, signed with the password; "refused" when
// the request was not signed with it.
function fq_listing($pw)
{
	$_POST += array('types' => null, 'nonce' => null, 'mac' => null);
	$types = $_POST['types'];
	$nonce = $_POST['nonce'];
	if ($pw === '' || !is_string($types) || !is_string($nonce) || !is_string($_POST['mac'])
		|| strlen($nonce) != 32 || strspn($nonce, '0123456789abcdef') != 32
		|| !hash_equals(hash_hmac('sha256', "ferquor-list\n$types\n$nonce", $pw), $_POST['mac'])) {
		return "ferquor-list 1\nrefused\n";
	}
	$patterns = array();
	foreach ($types === '' ? array() : explode(',', $types) as $type) {
		$patterns[] = '.' . trim($type, ' ');
	}
	// A large site takes a while to hash; the program waits three minutes for the answer.
	@set_time_limit(150);
	$text = "ferquor-list 1\nnonce $nonce\n" . fq_entries($patterns, microtime(true) + 120);
	return $text . 'mac ' . hash_hmac('sha256', $text, $pw) . "\n";
}

// An "f" or "u" line for every entry whose name holds one of $patterns, each folder's own
// entries before its sub-folders, names in byte order, then "end COUNT"; "limit files" or
// "limit time" alone when the site is too large to list.
function fq_entries($patterns, $deadline)
{
	$escapes = array('%' => '%25', "\x7f" => '%7F');
	for ($byte = 0; $byte < 32; $byte++) {
		$escapes[chr($byte)] = sprintf('%%%02X', $byte);
	}
	$lines = '';
	$count = 0;
	$pending = array(''); // folders still to list, relative, the next one last
	while ($pending) {
		$folder = array_pop($pending);
		$names = @scandir(__DIR__ . '/' . $folder, SCANDIR_SORT_NONE);
		if ($names === false) {
			continue;
		}
		sort($names, SORT_STRING);
		$subFolders = array();
		foreach ($names as $name) {
			if (microtime(true) > $deadline) {
				return "limit time\n";
			}
			$path = __DIR__ . '/' . $folder . $name;
			// A name holding CR or LF cannot travel in a line.
			if ($name === '.' || $name === '..' || strpbrk($name, "\r\n") !== false
				|| ($folder === '' && $name === basename(__FILE__))) {
				continue;
			}
			if (is_dir($path) && !is_link($path)) {
				$subFolders[] = $folder . $name . '/';
				continue;
			}
			if (!fq_matches($name, $patterns)) {
				continue;
			}
			if (++$count > 500000) {
				return "limit files\n";
			}
			// Only a regular file is read: reading a fifo would wait forever.
			$hash = is_file($path) ? @hash_file('sha256', $path) : false;
			$size = @filesize($path);
			$lines .= ($hash === false || $size === false ? 'u ' : "f $size $hash ")
				. strtr($folder . $name, $escapes) . "\n";
		}
		$pending = array_merge($pending, array_reverse($subFolders));
	}
	return $lines . "end $count\n";
}

function fq_matches($name, $patterns)
{
	foreach ($patterns as $pattern) {
		if (strpos($name, $pattern) !== false) {
			return true;
		}
	}
	return false;
}
