<?php
// 1. Upload this file to 
// http://www.yourwebsite.com/_report.php

// 2. Change $pw for security.

$_POST += array('pw' => null, 'path' => '');
if ($_POST['pw']==="demo-watch") {
	$path = $_POST['path'];

	$t1=explode("\r\n", $path); $len=count($t1); $s1='';
	for ($i=0; $i<$len; $i++) {
		if ($t1[$i] !='') {
			$p=$t1[$i];
			$outside=strpos($p, '://')!==false || $p[0]=='/' || in_array('..', explode('/', $p), true);
			$i1=$outside ? '' : @filesize($p); $s1.="$i1-";
		}
	}
	echo $s1;
}
?>
