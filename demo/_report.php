<?php
// Ferrow Quorvel report script: it tells the program the size of this site's watched files,
// and only when asked with the password below.
// 1. Upload this file as _report.php to the root of your site, so that it answers at
//    http://www.yourwebsite.com/_report.php
// 2. The password must be the one set in Ferrow Quorvel. Inside its quotes, write \' for '
//    and \\ for \.
$pw = 'demo-watch';

$_POST += array('pw' => null, 'path' => null);
if (is_string($_POST['pw']) && is_string($_POST['path']) && hash_equals($pw, $_POST['pw'])) {
	// The size of each path followed by "-"; a path that could leave the site gets an empty
	// field, like a missing file, so that the fields keep their places.
	$sizes = '';
	foreach (explode("\r\n", $_POST['path']) as $p) {
		if ($p !== '') {
			$outside = strpos($p, '://') !== false || $p[0] == '/'
				|| in_array('..', explode('/', $p), true);
			$sizes .= ($outside ? '' : @filesize($p)) . '-';
		}
	}
	echo $sizes;
}
