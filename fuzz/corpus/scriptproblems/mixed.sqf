class CfgSounds
{
	class a { sound[] = {\sound\a.ogg, 1, 1}; };
};
/* open
<img src="x.jpg">
_list = [
 "a", // ]
];
